// Start-up probe: the program as it starts for a user, ending as soon as its entry screen
// has been shown.
#include "shell/Startup.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    return tamevo::runProgram(argc, argv, [] { QCoreApplication::exit(0); });
}
