// A program that tells the names it finds for itself: started, it says "ready"; after each line
// on its input, it prints the executable's name and the ini file beside it. Tests replace or
// remove its file between the two, as a rebuild or a package upgrade does to a running tool.

#include "framework/forms/Application.h"
#include "settings/ReadAndSaveIni.h"

#include <cstdio>
#include <iostream>
#include <string>

int main() {
    std::printf("ready\n");
    std::fflush(stdout);
    for (std::string line; std::getline(std::cin, line);) {
        std::printf("%s\n%s\n", framework::Application->ExeName().c_str(),
                    lm7::DefaultIniFilename(false).c_str());
        std::fflush(stdout);
    }
    return 0;
}
