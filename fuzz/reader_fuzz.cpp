// Random edits on the Barcode page over random reader bytes. Every operation takes any index and
// any text without crashing; a refused change leaves the working copy as it was; a symbology
// box changes only the block of the engine's family; the view's lists select within their
// entries; the page's apply is stable when run twice; and the working copy always commits.
//
// Input: a sequence of steps of four bytes: the operation, then its arguments. Poke steps
// write any byte of the reader blocks, the engine byte and the use flags, as a loaded file
// could hold them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "editing_input.h"
#include "editor/commit.h"
#include "editor/session.h"
#include "model/codepage.h"
#include "model/defaults.h"
#include "model/workspace.h"
#include "reader/barcodepage.h"

namespace {

using namespace fw;
using namespace fw::reader;

using fuzz::Input;

int Index(std::uint8_t b) {
    return static_cast<int>(b % 16) - 2;
}

using fuzz::CheckList;

// Digits, a few letters and blanks, up to 5 characters: what reaches a number edit.
std::u16string Typed(std::uint8_t length, std::uint8_t first) {
    static const char16_t kKeys[] = u"0123456789 -a0";
    std::u16string text;
    for (int i = 0; i < length % 6; ++i)
        text += kKeys[(first + 3 * i) % 14];
    return text;
}

void CheckNumber(const NumberEditResult& r, int minimum, Byte stored) {
    if (!r.accepted) return;
    int value = 0;
    for (char16_t c : r.text) {
        if (c < u'0' || c > u'9') std::abort();
        value = value * 10 + (c - u'0');
    }
    if (r.text.empty() || value < minimum || value > 255 || value != stored) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Workspace* const fresh = &fuzz::NewWorkspace();
    editor::EditingSession s = editor::OpenSession(fresh->definition, fresh->language);
    Input in{data, size};

    while (!in.Empty()) {
        const std::uint8_t op = in.Next();
        const std::uint8_t a = in.Next();
        const std::uint8_t b = in.Next();
        const std::uint8_t c = in.Next();
        const Definition before = s.working;
        Outcome o;
        switch (op % 16) {
            case 0:
                s.working.readerOptions[(a << 8 | b) % kReaderOptionsSize] = c;
                break;
            case 1:
                s.working.symbologyOptions[(a << 8 | b) % s.working.symbologyOptions.size()] = c;
                break;
            case 2:
                Terminal(s.working).ReaderType() = c;
                break;
            case 3:
                s.working.readerOptions2[0] = a;
                Rules(s.working).WeightBarcodeEnabled() = b;
                break;
            case 4:
                o = SelectEngine(s, Index(a));
                if (s.working.readerOptions != before.readerOptions ||
                    s.working.symbologyOptions != before.symbologyOptions)
                    std::abort();
                break;
            case 5:
                o = SetRfidReader(s, a & 1);
                break;
            case 6: {
                const int box = 95 + a % 40;
                o = SetSymbologyBox(s, box, b & 1);
                const bool twoD = Is2DFamily(Terminal(s.working).ReaderType());
                if ((twoD ? s.working.readerOptions != before.readerOptions
                          : s.working.symbologyOptions != before.symbologyOptions) ||
                    s.working.terminalSettings != before.terminalSettings)
                    std::abort();
                if (o.Accepted() && ViewBarcodePage(s).Box(box)->checked != ((b & 1) != 0))
                    std::abort();
                break;
            }
            case 7:
                o = SelectScanMode(s, Index(a));
                break;
            case 8:
                o = SelectRedundancy(s, Index(a));
                break;
            case 9: {
                const NumberEditResult r = EditTimeout(s, Typed(a, b));
                CheckNumber(r, 1, s.working.readerOptions[21]);
                break;
            }
            case 10: {
                const NumberEditResult r = EditAimingTime(s, Typed(a, b));
                CheckNumber(r, 0, s.working.symbologyOptions[31]);
                break;
            }
            case 11:
                SetWeightBarcodesUsed(s, a & 1);
                SetGs1IdentifiersUsed(s, b & 1);
                break;
            case 12:
                ResetReaderPage(s);
                if (s.working.terminalSettings != before.terminalSettings ||
                    s.working.readerOptions2 != before.readerOptions2 ||
                    s.working.barcodeRules != before.barcodeRules)
                    std::abort();
                break;
            case 13: {
                ApplyBarcodePage(s);
                const Definition once = s.working;
                ApplyBarcodePage(s);
                if (s.working.readerOptions != once.readerOptions ||
                    s.working.symbologyOptions != once.symbologyOptions)
                    std::abort();
                break;
            }
            case 14: {
                Workspace ws;
                ws.definition = s.working;
                editor::CommitSheet(s, ws);
                if (ws.definition.symbologyOptions != s.working.symbologyOptions ||
                    Terminal(ws.definition).ReaderType() != Terminal(s.working).ReaderType())
                    std::abort();
                continue;
            }
            default:
                s.working.readerExtra[a % kReaderExtraSize] = b;
                break;
        }
        if (o.Refused() && (s.working.readerOptions != before.readerOptions ||
                            s.working.symbologyOptions != before.symbologyOptions ||
                            s.working.terminalSettings != before.terminalSettings))
            std::abort();
        const BarcodePageView v = ViewBarcodePage(s);
        for (const ListView* l : {&v.engine, &v.firstList, &v.secondList})
            CheckList(*l);
        if (v.boxes.size() != 27) std::abort();
    }
    return 0;
}
