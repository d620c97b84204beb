#include "app/Startup.h"

int main(int argc, char* argv[]) {
    return lentora::runProgram(argc, argv);
}
