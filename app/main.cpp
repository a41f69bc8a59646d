#include <cstdio>

int main() {
    std::puts("Marovel: the core is built, but there is no window yet.");
    return 0;
}
