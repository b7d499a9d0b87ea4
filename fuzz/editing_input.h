// What the fuzz targets that drive the editor share: the input read byte by byte (zeros once it
// runs out), a new definition to open every run's editing session on, and the check of a list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "editor/session.h"
#include "model/defaults.h"
#include "model/workspace.h"

namespace fw::fuzz {

struct Input {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
    bool Empty() const { return at >= size; }
    std::uint8_t Next() { return at < size ? data[at++] : 0; }
};

// A new definition as the program makes one at start, built once per process.
inline const Workspace& NewWorkspace() {
    static const Workspace* const fresh = [] {
        auto* ws = new Workspace();
        LoadDefaultTexts(ws->definition, ws->language);
        ResetReaderSettings(ws->definition);
        NewDefinition(ws->definition);
        return ws;
    }();
    return *fresh;
}

// A list's selection is one of its entries, or none.
inline void CheckList(const editor::ListView& list) {
    if (list.selected < -1 || list.selected >= static_cast<int>(list.entries.size())) std::abort();
}

}  // namespace fw::fuzz
