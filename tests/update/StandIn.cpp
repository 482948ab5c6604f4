// A stand-in for the running program in the update tests. Started with "--wait" it runs until
// its standard input closes, as the program runs until the user ends it. Started without
// arguments, as the replacement script restarts the program, it adds a line to restarted.txt
// in its working directory and ends.
#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    if (argc > 1 && std::string(argv[1]) == "--wait") {
        std::string line;
        while (std::getline(std::cin, line)) {
        }
        return 0;
    }
    std::ofstream("restarted.txt", std::ios::app) << "restarted\n";
    return 0;
}
