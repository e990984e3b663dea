#include <cstdio>
#include <cstring>

#include "platform/app_identity.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("vantiro-r88 %s\n", r88::kAppVersion);
            return 0;
        }
    }
    return 0;
}
