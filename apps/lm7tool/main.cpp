#include "lm7tool/Lm7Tool.h"

#include <iostream>

int main(int argc, char** argv) {
    return RunLm7Tool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
