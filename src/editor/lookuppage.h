// The Lookup page: the layout and behaviour of the three lookup databases. The page keeps which
// database it shows (0..2); every operation names it. Some changes reach into the forms that
// search a database, and the page then tells the Form page to refresh.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "editor/outcome.h"
#include "editor/session.h"

namespace fw::editor {

// The delimiter refusal is titled with this string ("Warning"), every other message of the page
// with kWarningCaption.
inline constexpr int kDelimiterRefusalCaptionId = 1122;

// The captions of the page.
namespace lookupcaption {
inline constexpr int kName = 1731;
inline constexpr int kFieldCount = 1732;
inline constexpr int kFixedLength = 1733;
inline constexpr int kDelimiter = 1734;
inline constexpr int kLengthHeader = 1735;  // "   Length"
inline constexpr int kMaxLengthHeader = 1736;
inline constexpr int kCanBeUploaded = 1737;
inline constexpr int kReadOnce = 1738;
inline constexpr int kReset = 1739;
inline constexpr int kSeveralFound = 1740;
inline constexpr int kFilterMode = 1743;
inline constexpr int kSearchWithFilter = 1746;
inline constexpr int kMemberLength = 1747;
inline constexpr int kField = 1748;
inline constexpr int kOffset = 1749;
inline constexpr int kKey = 1750;
inline constexpr int kNonZero = 1751;
inline constexpr int kQuantity = 1752;
inline constexpr int kDateTime = 1753;
inline constexpr int kNoMatch = 1754;
inline constexpr int kWrongFormat = 1755;
inline constexpr int kPlacement = 1756;
}  // namespace lookupcaption

struct LookupFieldRow {
    std::u16string offset;
    std::u16string length;
    bool nonZeroFilter = false;
    bool quantityControl = false;
    bool dateTime = false;
    bool key = false;
    bool enabled = false;        // the field exists
    bool offsetEnabled = false;  // and its offset is the user's (fixed-length fields)
};

struct LookupPageView {
    ListView database;  // "Name :"
    bool delimited = false;
    std::u16string lengthHeader;  // "   Length" or "Max Length"
    std::u16string memberLength;
    bool memberLengthEnabled = true;
    // The delimiter's code; empty in fixed-length mode, where the edit keeps what it showed.
    std::u16string delimiter;
    bool delimiterEnabled = false;
    ListView fieldCount;
    ListView placement;
    bool canBeUploaded = false;
    bool readOnce = false;
    bool searchWithFilter = false;
    ListView noMatch;
    ListView wrongFormat;
    ListView severalFound;
    ListView filterMode;
    std::array<LookupFieldRow, kFieldsPerLookup> fields{};
};
// `delimiterChosen`: the user picked "Delimiter " but no delimiter is stored yet; the page shows
// delimiter mode until another database is chosen.
LookupPageView ViewLookupPage(const EditingSession& session, int database,
                              bool delimiterChosen = false);

// "Fixed length " and "Delimiter " (with what the delimiter edit holds).
Outcome ChooseFixedLength(EditingSession& session, int database);
Outcome ChooseDelimiter(EditingSession& session, int database, std::u16string_view text);
// The delimiter edit; 13 is refused.
Outcome EditDelimiter(EditingSession& session, int database, std::u16string_view text);
Outcome EditMemberLength(EditingSession& session, int database, std::u16string_view text);
Outcome EditFieldOffset(EditingSession& session, int database, int field, std::u16string_view text);
// A date/time field keeps a length of at least 14.
Outcome EditFieldLength(EditingSession& session, int database, int field, std::u16string_view text);
// Accepted with a message when the new key was the date/time field, which it then no longer is.
Outcome SelectKeyField(EditingSession& session, int database, int field);
Outcome ToggleDateTimeField(EditingSession& session, int database, int field);

enum class DatabaseFieldFlag { NonZeroFilter, QuantityControl };
Outcome SetDatabaseFieldFlag(EditingSession& session, int database, int field,
                             DatabaseFieldFlag flag, bool on);
enum class DatabaseFlag { CanBeUploaded, SearchWithFilter };
Outcome SetDatabaseFlag(EditingSession& session, int database, DatabaseFlag flag, bool on);
// Setting it leaves the database and the forms that search it only the insert actions.
Outcome SetReadOnce(EditingSession& session, int database, bool on);

Outcome SelectNoMatchAction(EditingSession& session, int database, int index);
Outcome SelectWrongFormatAction(EditingSession& session, int database, int index);
Outcome SelectPlacement(EditingSession& session, int database, int index);
Outcome SelectSeveralFound(EditingSession& session, int database, int index);
Outcome SelectFilterMode(EditingSession& session, int database, int index);

// "Number of fields :". Taking a database away from forms asks first; fewer fields reset the
// forms' totals, multipliers, filters and serial-number quantity fields that point past them.
Outcome SelectFieldCount(EditingSession& session, int database, int index,
                         Answer answer = Answer::None);

// "Reset": all three databases empty again. The page then shows the first.
void ResetLookups(EditingSession& session);

}  // namespace fw::editor
