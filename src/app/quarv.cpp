#include "mainwindow/quarv_main.h"

int main(int argc, char **argv) { return Main(argc, argv); }
