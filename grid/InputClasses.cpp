#include "grid/InputClasses.h"

#include "grid/GridItem.h"

#include <cctype>

WORD InputClassesOf(unsigned char c) {
    if (c >= 0x80) {
        return GridInputClass::Alpha;
    }
    WORD classes = 0;
    const int ch = c;
    classes |= std::isupper(ch) ? GridInputClass::Upper : 0;
    classes |= std::islower(ch) ? GridInputClass::Lower : 0;
    classes |= std::isdigit(ch) ? GridInputClass::Digit : 0;
    classes |= std::isspace(ch) ? GridInputClass::Space : 0;
    classes |= std::ispunct(ch) ? GridInputClass::Punct : 0;
    classes |= std::iscntrl(ch) ? GridInputClass::Control : 0;
    classes |= std::isblank(ch) ? GridInputClass::Blank : 0;
    classes |= std::isxdigit(ch) ? GridInputClass::HexDigit : 0;
    classes |= std::isalpha(ch) ? GridInputClass::Alpha : 0;
    return classes;
}
