#include <cstdio>

int main(int argc, char** argv) {
    (void)argc;
    (void)argv;
    std::fprintf(stderr, "zelvorlog: not built yet\n");
    return 2;
}
