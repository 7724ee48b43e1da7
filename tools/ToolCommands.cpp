#include "tools/ToolCommand.h"

#include "tools/CheckCommand.h"
#include "tools/DumpCommand.h"
#include "tools/GenerateCommand.h"
#include "tools/NewCommand.h"
#include "tools/SolveCommand.h"

const std::vector<ToolCommand>& ToolCommands() {
    static const std::vector<ToolCommand> commands = {
        {"generate", "generate LEVEL [--seed N]    LEVEL is 1-4 or easy|normal|hard|insane",
         RunGenerateCommand},
        {"solve",
         "solve [FILE|-]               runs Try to Solve; prints the board, changes and status",
         RunSolveCommand},
        {"check", "check [FILE|-]               prints \"ok\" or the first repeating unit",
         RunCheckCommand},
        {"new",
         "new FILE (--level L [--seed N] | --puzzle TEXTFILE)   writes a game file as a new "
         "game of that puzzle",
         RunNewCommand},
        {"dump", "dump FILE|-                  prints a game, session or winners file as JSON",
         RunDumpCommand},
    };
    return commands;
}
