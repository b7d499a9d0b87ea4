// The date-and-time stamp dialog of a form: where the stamp goes in the record and which parts
// of the date and the time it holds. Every control stores at once; the two previews are
// computed from the stored bytes.
#pragma once

#include <string>

#include "editor/outcome.h"
#include "editor/session.h"

namespace fw::editor {

enum class StampFlag {
    Separate,
    Year,
    Month,
    Day,
    DateSeparator,
    Hour,
    Minute,
    Second,
    TimeSeparator
};

struct StampDialogView {
    ListView position;
    bool separate = false;
    bool year = false;
    ListView yearDigits;
    bool month = false;
    bool day = false;
    bool dateSeparatorOn = false;
    std::u16string dateSeparator;
    ListView dateStyle;
    bool hour = false;
    bool minute = false;
    bool second = false;
    bool timeSeparatorOn = false;
    std::u16string timeSeparator;
    std::u16string datePreview;  // "Date Format : " and the parts, e.g. DD/MM/YY
    std::u16string timePreview;  // "Time Format : " and the parts, e.g. HH:MM:SS
};
// The parts of the stamp as the previews show them, without their headings: e.g. DD/MM/YY
// and HH:MM:SS.
std::u16string StampDatePattern(ConstFormRecord form);
std::u16string StampTimePattern(ConstFormRecord form);

Snapshot OpenStampDialog(EditingSession& session);
StampDialogView ViewStampDialog(const EditingSession& session);

Outcome SelectStampPosition(EditingSession& session, int index);
Outcome SelectYearDigits(EditingSession& session, int index);
Outcome SelectDateStyle(EditingSession& session, int index);
Outcome SetStampFlag(EditingSession& session, StampFlag flag, bool on);
// One character is kept; the rest of the typed text is cut.
Outcome EditDateSeparator(EditingSession& session, std::u16string_view text);
Outcome EditTimeSeparator(EditingSession& session, std::u16string_view text);

}  // namespace fw::editor
