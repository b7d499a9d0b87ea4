// What the fuzz targets that drive the editor share: the input read byte by byte (zeros once it
// runs out) and a new definition to open every run's editing session on.
#pragma once

#include <cstddef>
#include <cstdint>

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

}  // namespace fw::fuzz
