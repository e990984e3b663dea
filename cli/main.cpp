#include <iostream>
#include <string>
#include <vector>

#include "cli/ctl.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return r88::RunCtl(args, std::cout, std::cerr, nullptr);
}
