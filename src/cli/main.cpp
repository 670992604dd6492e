#include <iostream>

int main() {
    std::cout << "skelvar-cli\n";
    return 0;
}
