#include <string>
#include <vector>

#include "app/application.hpp"
#include "app/huge_pages.hpp"

int main(int argc, char** argv) {
    kr::RestartWithHugePages(argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    return kr::RunApplication(args, argc > 0 ? argv[0] : "kravellon");
}
