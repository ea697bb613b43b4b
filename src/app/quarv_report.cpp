#include "command_output.h"
#include "report_command.h"

int main(int argc, char **argv)
{
    return runCommandLineTool("quarv-report", argc, argv, runReportCommand);
}
