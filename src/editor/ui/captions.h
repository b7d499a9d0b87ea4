// String ids of the captions, button texts and titles of the sheet's Form page and its dialogs.
// Each is looked up in the session's language, so that a language file can word it.
#pragma once

#include <QString>

#include "editor/session.h"

namespace fw::editor::ui {

namespace caption {

inline constexpr int kOk = 1218;
inline constexpr int kCancel = 1219;

// Form page
inline constexpr int kFormName = 1649;
inline constexpr int kEscTarget = 1650;
inline constexpr int kNextTarget = 1651;
inline constexpr int kErrorTarget = 1652;
inline constexpr int kFormLookup = 1653;
inline constexpr int kRecordAction = 1654;
inline constexpr int kNotFoundAction = 1655;
inline constexpr int kBranch = 1656;  // the button and the dialog it opens
inline constexpr int kTimeStamp = 1657;
inline constexpr int kSerialProperties = 1658;
inline constexpr int kMore = 1659;

// Branch dialog and the totals and balance views of a key
inline constexpr int kKeyProperties = 1660;
inline constexpr int kSumField = 1661;
inline constexpr int kMultiplier = 1662;
inline constexpr int kFilterField = 1663;
inline constexpr int kFilterVariable = 1664;
inline constexpr int kComparison = 1665;

// Serial-number dialog
inline constexpr int kSerialTitle = 1666;
inline constexpr int kPartVariable = 1667;
inline constexpr int kQuantityField = 1668;
inline constexpr int kSerialStore = 1669;

// Field properties and lookup-field properties
inline constexpr int kProperties = 1670;
inline constexpr int kFormNumber = 1671;
inline constexpr int kLineNumber = 1672;
inline constexpr int kFixedLength = 1673;
inline constexpr int kAlignment = 1674;
inline constexpr int kInitialValue = 1675;
inline constexpr int kPrefix = 1676;
inline constexpr int kPrefixInSearch = 1677;
inline constexpr int kSuffix = 1678;
inline constexpr int kSuffixInSearch = 1679;
inline constexpr int kInputMark = 1680;
inline constexpr int kDecimalPlaces = 1681;
inline constexpr int kPartialBarcode = 1682;
inline constexpr int kPartialStart = 1683;
inline constexpr int kPartialLength = 1684;
inline constexpr int kKeepWholeBarcode = 1685;
inline constexpr int kLeadingCode = 1686;
inline constexpr int kCheckDigit = 1687;
inline constexpr int kAutoEnter = 1688;
inline constexpr int kSaveFieldData = 1689;

// Operations dialog
inline constexpr int kOperationsTitle = 1690;
inline constexpr int kOperationsForm = 1691;
inline constexpr int kOperationsLine = 1692;
inline constexpr int kSaveToVariable = 1693;
inline constexpr int kFillFromVariable = 1694;

// Date-and-time stamp dialog
inline constexpr int kStampTitle = 1695;
inline constexpr int kSeparator = 1696;

// Column headings of the field lines
inline constexpr int kLineType = 1697;
inline constexpr int kLinePrompt = 1698;
inline constexpr int kLineSource = 1699;
inline constexpr int kLineLookupColumn = 1700;

}  // namespace caption

// The text of a caption id in the session's language.
QString Caption(const EditingSession& session, int id);

}  // namespace fw::editor::ui
