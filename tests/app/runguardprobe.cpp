// Claims the single-instance guard of the base string given as the first argument in the folder
// given as the second, prints
// "claimed" or "refused", then keeps the claim until its standard input closes.
#include "app/runguard.h"

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    RunGuard guard(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    const bool claimed = guard.claimInstance();
    std::cout << (claimed ? "claimed" : "refused") << std::endl;
    std::string line;
    while (claimed && std::getline(std::cin, line)) { }
    return claimed ? 0 : 1;
}
