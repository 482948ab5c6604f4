#include "shell/Startup.h"

int main(int argc, char** argv)
{
    return tamevo::runProgram(argc, argv);
}
