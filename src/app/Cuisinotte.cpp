#include "MainBlock.h"

int main(int argc, char *argv[])
{
    return MainBlock::run(argc, argv);
}
