#include "model/textgroups.h"

namespace fw {

std::span<Byte, kTextCellSize> TextRowCell(Definition& d, const TextRow& row) {
    if (row.utility) return Terminal(d).UtilityLine(row.line);
    return ScreenTextLine(d, row.group, row.line);
}

std::span<const Byte, kTextCellSize> TextRowCell(const Definition& d, const TextRow& row) {
    if (row.utility) return Terminal(d).UtilityLine(row.line);
    return ScreenTextLine(d, row.group, row.line);
}

const std::u16string& TextRowDefault(const Definition& d, const TextRow& row) {
    if (row.utility) return d.defaults.utilityLines[static_cast<std::size_t>(row.line)];
    return d.defaults
        .screenLines[static_cast<std::size_t>(ScreenTextGroupFirstLine(row.group) + row.line)];
}

}  // namespace fw
