// What "check" points out beyond the repairs: bytes a save would keep as they are although
// the terminal would take them badly.
#pragma once

#include <string>
#include <vector>

#include "model/definition.h"
#include "report.h"

namespace fw::cli {

struct Note {
    std::string where;    // "menu 2, item 3", "TerminalSettings", "startup"
    std::string field;    // "ItemTarget"; empty when the problem names what it concerns
    std::string value;    // as stored, as check shows values
    std::string problem;  // "a code its list does not offer"

    // "menu 2, item 3: ItemTarget 40: a code its list does not offer"
    std::string Text() const;
    Node ToNode() const;
};

// Every value of the definition that its coded list does not offer, every number outside the
// range the editor keeps it in, and every text that runs to the end of its bytes without its
// end, in block, record and field order. The terminal texts are left to StartupNotes, which
// names them as the Startup page does.
std::vector<Note> FieldNotes(const Definition& d);

}  // namespace fw::cli
