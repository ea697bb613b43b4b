#include "command_output.h"
#include "midi_command.h"

int main(int argc, char **argv)
{
    return runCommandLineTool("quarv-midi", argc, argv, runMidiCommand);
}
