// Any bytes as a language file: its name, its table and every look-up through it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "model/language.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (fw::LanguageDisplayName(bytes).size() > 100) std::abort();
    // One table for all runs, as in the program: every load must clear what came before.
    static auto language = std::make_unique<fw::Language>();
    fw::ParseLanguageText(*language, bytes);
    language->loaded = true;
    for (const std::u16string& entry : language->table)
        if (entry.size() > fw::kUiTextMax) std::abort();
    for (int id = -1; id <= fw::kLanguageTableSize; ++id)
        if (fw::LoadUiString(*language, id).size() > fw::kUiTextMax) std::abort();
    return 0;
}
