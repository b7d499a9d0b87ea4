// What the editor tests share: a workspace holding a new definition and a session on it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "editor/session.h"
#include "model/defaults.h"
#include "model/workspace.h"

namespace fw::editor::test {

class EditorTest : public ::testing::Test {
  protected:
    EditorTest() {
        LoadDefaultTexts(ws->definition, ws->language);
        ResetReaderSettings(ws->definition);
        NewDefinition(ws->definition);
        s = OpenSession(ws->definition, ws->language);
    }

    FormRecord F() { return s.Form(); }
    std::vector<Byte> Record() const {
        const Byte* b = s.Form().Data();
        return std::vector<Byte>(b, b + kFormRecordSize);
    }
    // Database db of the working copy with fields of the given lengths, fixed-length.
    void DefineDatabase(int db, std::vector<int> lengths) {
        LookupRecord r = Lookup(s.working, db);
        r.FieldCount() = static_cast<Byte>(lengths.size());
        int offset = 1;
        for (std::size_t i = 0; i < lengths.size(); ++i) {
            r.FieldOffset(static_cast<int>(i)) = static_cast<Byte>(offset);
            r.FieldLength(static_cast<int>(i)) = static_cast<Byte>(lengths[i]);
            offset += lengths[i];
        }
        r.MemberLength() = static_cast<Byte>(offset - 1);
    }

    std::unique_ptr<Workspace> ws = std::make_unique<Workspace>();
    EditingSession s;
};

}  // namespace fw::editor::test
