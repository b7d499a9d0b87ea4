// Project files from anywhere: every byte string is read in both formats, then written and
// turned into an image as a save and a download would, without a crash or an overrun.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "generator/image.h"
#include "model/defaults.h"
#include "model/language.h"
#include "model/normalise.h"
#include "model/projectfile.h"

namespace {

class SilentPresenter : public fw::MessagePresenter {
  public:
    int Show(const fw::MessageRequest&) override { return fw::kIdOk; }
};

fw::Workspace& FuzzWorkspace() {
    static auto ws = [] {
        auto w = std::make_unique<fw::Workspace>();
        fw::LoadDefaultTexts(w->definition, w->language);
        fw::WriteFormatTag(w->definition);
        static SilentPresenter presenter;
        w->presenter = &presenter;
        return w;
    }();
    return *ws;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fw::Workspace& ws = FuzzWorkspace();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static fw::ProgramImage image;
    for (bool extended : {false, true}) {
        fw::ResetReaderSettings(ws.definition);
        fw::NewDefinition(ws.definition);
        if (fw::ReadProjectBytes(ws, bytes, extended) == 0) continue;
        fw::NormaliseDefinition(ws.definition);
        const std::string written = fw::SerialiseProject(ws.definition, extended);
        if (written.size() != (extended ? fw::kExtendedFileSize : fw::kBaseFileSize))
            __builtin_trap();
        fw::GenerateProgramImage(ws.definition, image);
    }
    // A read that stopped on an error, as a failing disk would give it.
    fw::ProjectReadOptions failing;
    failing.readError = 5;
    fw::ReadProjectBytes(ws, bytes, true, failing);
    return 0;
}
