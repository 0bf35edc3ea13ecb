#include <cstdio>
int main() { std::puts("wolkenfahrt"); return 0; }
