// A small Windows program whose only use is its machine code: built with
// mingw-w64 (statically, so the C++ library's code comes along) in the host
// build, it is the x86 sample of the LZX round trips, full of E8 call
// instructions for the call translation.
#include <iostream>
#include <map>
#include <sstream>
#include <string>

int main(int argc, char** argv)
{
    std::map<std::string, int> counts;
    for (int i = 1; i < argc; ++i) counts[argv[i]]++;
    std::ostringstream out;
    for (const auto& c : counts) out << c.first << ' ' << c.second << '\n';
    std::cout << out.str();
    return 0;
}
