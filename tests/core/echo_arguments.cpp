// A stand-in sibling program for the tests of MenuExes, and for the article program beside the viewer tests:
// writes its arguments, one per line, to the file named by CONC_CORE_ECHO (complete when it appears).

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char* argv[])
{
    const char* destino = std::getenv("CONC_CORE_ECHO");
    if (!destino)
        return 2;
    const std::string temporal = std::string(destino) + ".part";
    std::FILE* f = std::fopen(temporal.c_str(), "wb");
    if (!f)
        return 3;
    for (int i = 0; i < argc; ++i)
        std::fprintf(f, "%s\n", argv[i]);
    std::fclose(f);
    return std::rename(temporal.c_str(), destino) == 0 ? 0 : 4;
}
