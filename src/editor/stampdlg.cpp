#include "editor/stampdlg.h"

#include <span>

#include "model/codepage.h"

namespace fw::editor {
namespace {

Outcome StoreListIndex(Byte& field, const codes::CodedList& list, int index) {
    if (index < 0 || index >= static_cast<int>(list.entries.size())) return Outcome::Refuse();
    field = list.entries[static_cast<std::size_t>(index)].code;
    return Outcome::Accept();
}

Byte& FlagByte(FormRecord f, StampFlag flag) {
    switch (flag) {
        case StampFlag::Separate:
            return f.SeparateDateTime();
        case StampFlag::Year:
            return f.StampYear();
        case StampFlag::Month:
            return f.StampMonth();
        case StampFlag::Day:
            return f.StampDay();
        case StampFlag::DateSeparator:
            return f.DateSeparatorOn();
        case StampFlag::Hour:
            return f.StampHour();
        case StampFlag::Minute:
            return f.StampMinute();
        case StampFlag::Second:
            return f.StampSecond();
        case StampFlag::TimeSeparator:
            break;
    }
    return f.TimeSeparatorOn();
}

// The parts in their order, each present or not, with the separator put before a part when
// an earlier one is present.
struct Part {
    bool present;
    std::u16string_view text;
};
std::u16string JoinParts(std::u16string_view heading, std::span<const Part> parts,
                         std::u16string_view separator) {
    std::u16string out(heading);
    bool any = false;
    for (const Part& p : parts) {
        if (!p.present) continue;
        if (any) out += separator;
        out += p.text;
        any = true;
    }
    return out;
}

std::u16string Separator(bool on, std::span<const Byte, 2> cell) {
    return on ? CellToUtf16(cell) : std::u16string();
}

Outcome StoreSeparator(std::span<Byte, 2> cell, std::u16string_view text) {
    StoreCellText(cell, text.substr(0, 1));
    return Outcome::Accept();
}

}  // namespace

std::u16string StampDatePattern(ConstFormRecord f) {
    const Part year{f.StampYear() != 0, f.YearDigits() == 1 ? u"YY" : u"YYYY"};
    const Part month{f.StampMonth() != 0, u"MM"};
    const Part day{f.StampDay() != 0, u"DD"};
    Part date[3] = {year, month, day};  // year.month.day, also for a style the list lacks
    if (f.DateStyle() == 1) {
        date[0] = month;
        date[1] = day;
        date[2] = year;
    } else if (f.DateStyle() == 2) {
        date[0] = day;
        date[1] = month;
        date[2] = year;
    }
    return JoinParts(u"", date, Separator(f.DateSeparatorOn() != 0, f.DateSeparator()));
}

std::u16string StampTimePattern(ConstFormRecord f) {
    const Part time[3] = {
        {f.StampHour() != 0, u"HH"}, {f.StampMinute() != 0, u"MM"}, {f.StampSecond() != 0, u"SS"}};
    return JoinParts(u"", time, Separator(f.TimeSeparatorOn() != 0, f.TimeSeparator()));
}

Snapshot OpenStampDialog(EditingSession& session) {
    return TakeSnapshot(session);
}

StampDialogView ViewStampDialog(const EditingSession& session) {
    const ConstFormRecord f = session.Form();
    StampDialogView v;
    v.position = CodedListView(session, codes::kStampPositions, f.DateTimePosition());
    v.separate = f.SeparateDateTime() != 0;
    v.year = f.StampYear() != 0;
    v.yearDigits = CodedListView(session, codes::kYearDigits, f.YearDigits());
    v.month = f.StampMonth() != 0;
    v.day = f.StampDay() != 0;
    v.dateSeparatorOn = f.DateSeparatorOn() != 0;
    v.dateSeparator = CellToUtf16(f.DateSeparator());
    v.dateStyle = CodedListView(session, codes::kDateStyles, f.DateStyle());
    v.hour = f.StampHour() != 0;
    v.minute = f.StampMinute() != 0;
    v.second = f.StampSecond() != 0;
    v.timeSeparatorOn = f.TimeSeparatorOn() != 0;
    v.timeSeparator = CellToUtf16(f.TimeSeparator());

    v.datePreview = u"Date Format : " + StampDatePattern(f);
    v.timePreview = u"Time Format : " + StampTimePattern(f);
    return v;
}

Outcome SelectStampPosition(EditingSession& session, int index) {
    return StoreListIndex(session.Form().DateTimePosition(), codes::kStampPositions, index);
}
Outcome SelectYearDigits(EditingSession& session, int index) {
    return StoreListIndex(session.Form().YearDigits(), codes::kYearDigits, index);
}
Outcome SelectDateStyle(EditingSession& session, int index) {
    return StoreListIndex(session.Form().DateStyle(), codes::kDateStyles, index);
}

Outcome SetStampFlag(EditingSession& session, StampFlag flag, bool on) {
    FlagByte(session.Form(), flag) = on ? 1 : 0;
    return Outcome::Accept();
}

Outcome EditDateSeparator(EditingSession& session, std::u16string_view text) {
    return StoreSeparator(session.Form().DateSeparator(), text);
}
Outcome EditTimeSeparator(EditingSession& session, std::u16string_view text) {
    return StoreSeparator(session.Form().TimeSeparator(), text);
}

}  // namespace fw::editor
