#include "mainwindow/ui/program.h"

int main(int argc, char *argv[])
{
    return runquillmoter(argc, argv);
}
