// kalmora-tool: the command-line companion of Kalmora, over the same engine,
// session and storage code as the game.

#include "tools/ToolCommand.h"
#include "tools/ToolErrors.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

void PrintUsage(std::ostream& out) {
    out << "usage: kalmora-tool COMMAND [ARGS]\n\ncommands:\n";
    for (const ToolCommand& command : ToolCommands()) {
        out << "  " << command.usage << "\n";
    }
    out << "\nA puzzle is 81 cells, digits 1-9 with 0 or '.' for an empty cell;\n"
           "white space and the separators |, - and + are ignored. A game file (*.sdk)\n"
           "is accepted wherever a puzzle is.\n";
}

const ToolCommand* FindCommand(const std::string& name) {
    for (const ToolCommand& command : ToolCommands()) {
        if (name == command.name) {
            return &command;
        }
    }
    return nullptr;
}

int RunCommand(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(std::cerr);
        return 2;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(std::cout);
        return 0;
    }
    const ToolCommand* command = FindCommand(name);
    if (command == nullptr) {
        throw UsageError("unknown command '" + name + "'; try kalmora-tool --help");
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    return command->Run(args, std::cin, std::cout);
}

} // namespace

int main(int argc, char** argv) {
    try {
        return RunCommand(argc, argv);
    } catch (const UsageError& error) {
        std::cerr << "kalmora-tool: " << error.what() << "\n";
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "kalmora-tool: " << error.what() << "\n";
        return 1;
    }
}
