// make-samples OUTDIR: writes the sample stock-count project and its product lookup file.
//
// The project: the program starts in a main menu whose entry leads to a stock menu with three
// forms: count (scan a product, see its name and stock, type the counted quantity; FN+1
// shows the totals), receive (scan, type the quantity received, which is added to the
// product's stock) and serial numbers (scan the product, then one serial number per unit).
// Database 1 holds the products as barcode;name;qty.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

#include "model/codepage.h"
#include "model/codes.h"
#include "model/defaults.h"
#include "model/language.h"
#include "model/normalise.h"
#include "model/projectfile.h"
#include "model/savefile.h"

namespace {

using namespace fw;

using codes::CodeOf;

constexpr int kProductsDb = 1;
constexpr Byte kMainMenu = CodeOf(codes::kTargets, "main menu");
constexpr Byte kMainMenuOfTheApp = CodeOf(codes::kTargets, "menu 1");
constexpr Byte kStockMenu = CodeOf(codes::kTargets, "menu 2");

constexpr Byte kBoth = CodeOf(codes::kInputSources, "both");
constexpr Byte kKeypad = CodeOf(codes::kInputSources, "keypad");
constexpr Byte kSave = CodeOf(codes::kRecordActions, "save");
constexpr Byte kSaveAndUpdate = CodeOf(codes::kRecordActions, "save & update");
constexpr Byte kFnTotals = CodeOf(codes::kBranches, "totals");
constexpr Byte kShowWarning = CodeOf(codes::kNotFoundActions, "show warning message");
constexpr Byte kAtBottom = CodeOf(codes::kStampPositions, "bottom");
constexpr Byte kNoColumn = CodeOf(codes::kLookupColumns, "none");

// Lookup columns: show database field n, or add the line's value to it.
constexpr Byte kField1 = CodeOf(codes::kLookupColumns, "field 1");
constexpr Byte kField2 = CodeOf(codes::kLookupColumns, "field 2");
constexpr Byte kField3 = CodeOf(codes::kLookupColumns, "field 3");
constexpr Byte kPlusField3 = CodeOf(codes::kLookupColumns, "+field 3");

void Text(std::span<Byte> cell, std::u16string_view text) {
    std::fill(cell.begin(), cell.end(), Byte{0});
    StoreCellText(cell, text);
}

struct LineValues {
    Byte type;
    std::u16string_view prompt;
    Byte input;
    Byte minLength;
    Byte maxLength;
    Byte lookupField;
};

void SetLines(FormRecord f, std::initializer_list<LineValues> lines) {
    int i = 0;
    for (const LineValues& l : lines) {
        f.LineType(i) = l.type;
        Text(f.LinePrompt(i), l.prompt);
        f.InputSource(i) = l.input;
        f.MinLength(i) = l.minLength;
        f.MaxLength(i) = l.maxLength;
        f.LineLookupField(i) = l.lookupField;
        ++i;
    }
}

void MakeMenus(Definition& d) {
    MenuRecord main = Menu(d, 0);
    main.HasCaption() = 1;
    Text(main.Caption(), u"STOCK CONTROL");
    Text(main.ItemText(0), u"1.Stock");
    main.ItemTarget(0) = kStockMenu;
    main.MenuEscTarget() = kMainMenu;

    MenuRecord stock = Menu(d, 1);
    stock.HasCaption() = 1;
    Text(stock.Caption(), u"STOCK");
    Text(stock.ItemText(0), u"1.Count");
    Text(stock.ItemText(1), u"2.Receive");
    Text(stock.ItemText(2), u"3.Serial numbers");
    stock.ItemTarget(0) = CodeOf(codes::kTargets, "form 1");
    stock.ItemTarget(1) = CodeOf(codes::kTargets, "form 2");
    stock.ItemTarget(2) = CodeOf(codes::kTargets, "form 3");
    stock.MenuEscTarget() = kMainMenuOfTheApp;
}

void MakeProductDatabase(Definition& d) {
    LookupRecord db = Lookup(d, kProductsDb);
    constexpr Byte kLengths[] = {13, 20, 6};  // barcode, name, qty
    db.FieldCount() = 3;
    db.KeyField() = 0;
    db.Delimiter() = ';';
    // The layout a delimited database gets on commit: each field one past the previous one's
    // end, the record as long as the fields and the delimiters between them.
    Byte offset = 1;
    int length = 0;
    for (int i = 0; i < 3; ++i) {
        db.FieldOffset(i) = offset;
        db.FieldLength(i) = kLengths[i];
        offset = static_cast<Byte>(offset + kLengths[i] + 1);
        length += kLengths[i];
    }
    db.MemberLength() = static_cast<Byte>(length + 2);
    db.CanBeUploaded() = 1;
    db.NoMatchAction() = CodeOf(codes::kNoMatchActions, "show warning message");
    db.QuantityControl(2) = 1;
}

void MakeForms(Definition& d) {
    // Count: scan, see the product and its stock, type what is on the shelf.
    FormRecord count = Form(d, 0);
    count.FormLookup() = kProductsDb;
    count.EscTarget() = kStockMenu;
    count.RecordAction() = kSave;
    count.NotFoundAction() = kShowWarning;
    count.DateTimePosition() = kAtBottom;
    SetLines(count, {
                        {kLineText, u"Barcode:", kBoth, 1, 13, kField1},
                        {kLineLookup, u"Name:", kBoth, 0, 20, kField2},
                        {kLineLookup, u"In stock:", kBoth, 0, 6, kField3},
                        {kLineInteger, u"Counted:", kKeypad, 1, 6, kNoColumn},
                    });
    count.FnBranch(0) = kFnTotals;
    count.TotalSumField(0) = 3;

    // Receive: what arrives is added to the product's stock in the database.
    FormRecord receive = Form(d, 1);
    receive.FormLookup() = kProductsDb;
    receive.EscTarget() = kStockMenu;
    receive.RecordAction() = kSaveAndUpdate;
    receive.NotFoundAction() = kShowWarning;
    receive.DateTimePosition() = kAtBottom;
    SetLines(receive, {
                          {kLineText, u"Barcode:", kBoth, 1, 13, kField1},
                          {kLineLookup, u"Name:", kBoth, 0, 20, kField2},
                          {kLineInteger, u"Received:", kKeypad, 1, 6, kPlusField3},
                      });

    // Serial numbers: the product's barcode goes to variable 1, its part number; every scan
    // of the serial-number line is one unit.
    FormRecord serial = Form(d, 2);
    serial.FormLookup() = kProductsDb;
    serial.EscTarget() = kStockMenu;
    serial.RecordAction() = kSaveAndUpdate;  // serial numbers kept in the data file
    serial.NotFoundAction() = kShowWarning;
    SetLines(serial, {
                         {kLineText, u"Product:", kBoth, 1, 13, kField1},
                         {kLineLookup, u"Name:", kBoth, 0, 20, kField2},
                         {kLineSerial, u"Serial No:", kBoth, 1, 20, kField1},
                     });
    serial.SaveToVariable(0) = 1;
    serial.SerialPartVariable() = 1;
    serial.SerialQuantityField() = 3;
    serial.SerialStore() = CodeOf(codes::kSerialStores, "data file");
}

void MakeSettings(Definition& d) {
    TerminalSettingsRecord t = Terminal(d);
    t.StartTarget() = CodeOf(codes::kStartTargets, "menu 1");
    t.Backlight() = CodeOf(codes::kBacklight, "on");
    t.BacklightTimeout() = 3;
    t.FnKeysEnabled() = 1;
    t.FnKeyFunction(0) = CodeOf(codes::kFnFunctions, "collect");
    t.FnKeyFunction(1) = CodeOf(codes::kFnFunctions, "upload");
    t.FnKeyFunction(2) = CodeOf(codes::kFnFunctions, "browse data");
    Text(Variables(d).Name(1), u"Part number");
}

std::string StockCountProject() {
    auto d = std::make_unique<Definition>();
    // The built-in texts, whatever language the machine that runs this has chosen.
    LoadDefaultTexts(*d, Language{});
    WriteFormatTag(*d);
    ResetReaderSettings(*d);
    NewDefinition(*d);
    MakeMenus(*d);
    MakeProductDatabase(*d);
    MakeForms(*d);
    MakeSettings(*d);
    // What the editor's OK and then a save do.
    NormaliseLengths(*d);
    FixUpForms(*d);
    NormaliseDefinition(*d);
    return SerialiseProject(*d, /*extended=*/true);
}

// EAN-13 with its check digit, so that every line scans from a printed label.
std::string Ean13(const std::string& twelve) {
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += (twelve[i] - '0') * (i % 2 == 0 ? 1 : 3);
    return twelve + static_cast<char>('0' + (10 - sum % 10) % 10);
}

std::string ProductsFile() {
    static constexpr std::string_view kNames[] = {
        "Milk 1L",          "Butter 200g",      "Cheese Gouda 1kg", "Yoghurt plain",
        "Eggs 10 pcs",      "White bread",      "Rye bread",        "Flour 2kg",
        "Sugar 1kg",        "Salt 1kg",         "Rice long grain",  "Buckwheat 900g",
        "Pasta spaghetti",  "Sunflower oil 1L", "Olive oil 500ml",  "Black tea 100g",
        "Coffee beans 1kg", "Cocoa powder",     "Apple juice 1L",   "Orange juice 1L",
        "Mineral water",    "Tomato paste",     "Canned peas",      "Canned corn",
        "Tuna in oil",      "Sardines",         "Oat flakes",       "Honey 500g",
        "Strawberry jam",   "Dark chocolate",   "Biscuits",         "Crackers",
        "Washing powder",   "Dish soap",        "Paper towels",     "Toilet paper 8",
    };
    std::string out;
    int n = 0;
    for (std::string_view name : kNames) {
        char digits[13];
        std::snprintf(digits, sizeof digits, "460%09d", 1234500 + 17 * n);
        const int quantity = (n * 37 + 12) % 250;
        out += Ean13(digits) + ";" + std::string(name) + ";" + std::to_string(quantity) + "\r\n";
        ++n;
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make-samples OUTDIR\n";
        return 2;
    }
    const std::filesystem::path dir(argv[1]);
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    bool ok = fw::ReplaceFileBytes(dir / "stock-count.FWW", StockCountProject());
    ok = fw::ReplaceFileBytes(dir / "products.txt", ProductsFile()) && ok;
    if (!ok) {
        std::cerr << "make-samples: cannot write into " << dir.string() << "\n";
        return 1;
    }
    return 0;
}
