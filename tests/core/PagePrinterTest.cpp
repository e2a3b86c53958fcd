// The page printer against a 300-dpi fake printer: line breaking, bands, friendly texts, macros, page
// counts, printing order and progress, page numbers, margins and bad input.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "fakes/FakePrinterDevice.h"
#include "fakes/MemorySettingsBackend.h"
#include "print/PrintOptionsValues.h"
#include "print/PrintSettings.h"
#include "print/TPagePrinter.h"
#include "settings/MainSettings.h"

namespace {

using Page = FakePrinterDevice::Page;

// Inch margins of 1 on every side: the text area starts at pixel 250 (the offset is 1/6 inch), is 1880
// pixels wide (94 characters of a 10-point font) and 2908 high; a 10-point line is 42 pixels.
struct Fixture {
  FakePrinterDevice device;
  TPagePrinter printer{device};
  Fixture() {
    for (auto set : {&TPagePrinter::SetMarginLeft, &TPagePrinter::SetMarginRight, &TPagePrinter::SetMarginTop,
                     &TPagePrinter::SetMarginBottom})
      (printer.*set)(1);
    printer.FormatDateTime = [](const std::string& format) { return "<" + format + ">"; };
  }
  void Build(const std::vector<std::string>& lines) {
    printer.BeginDoc();
    printer.Lines = lines;
    printer.WriteLines(false);
    printer.EndDoc();
  }
  const Page& P(int n) const { return dynamic_cast<const Page&>(*printer.Page(n)); }
  // The body texts of a page, in order (header and footer lie outside the text area).
  std::vector<std::string> Body(int n) const {
    std::vector<std::string> out;
    for (const auto& c : P(n).Texts())
      if (c.y >= printer.TextTop() && c.y < printer.TextTop() + printer.TextHeight()) out.push_back(c.text);
    return out;
  }
};

// The message of the EPagePrinter an action throws, or "no error".
template <class Action>
std::string Error(Action action) {
  try {
    action();
  } catch (const EPagePrinter& e) {
    return e.what();
  }
  return "no error";
}

// Progress that records its labels, runs `onEvents` where window events would run, and asks to cancel on
// its `cancelAt`th look at the events (0: never).
struct RecordingProgress : PrintProgress {
  std::vector<std::string>* labels;
  int cancelAt, events = 0;
  std::function<void()> onEvents;
  RecordingProgress(std::vector<std::string>* l, int c, std::function<void()> f) : labels(l), cancelAt(c), onEvents(f) {}
  void Show(bool) override {}
  void Update(const std::string& caption, const std::string& status, const std::string& page, int pos,
              int max) override {
    if (labels) labels->push_back(caption + "|" + status + "|" + page + "|" + std::to_string(pos) + "/" + std::to_string(max));
  }
  bool ProcessEvents() override {
    if (onEvents) onEvents();
    return ++events == cancelAt;
  }
};

void RecordProgress(TPagePrinter& printer, std::vector<std::string>* labels, int cancelAt = 0,
                    std::function<void()> onEvents = nullptr) {
  printer.ProgressFactory = [=] { return std::make_unique<RecordingProgress>(labels, cancelAt, onEvents); };
}

TEST(PagePrinter, DefaultsFollowTheDevice) {
  FakePrinterDevice device;
  TPagePrinter p(device);
  EXPECT_EQ(p.HeaderFont(), (PrintFont{"Courier New", 10}));
  // Font following: the header and footer take every body font change until switched off.
  p.SetFont({"Mono", 12});
  EXPECT_EQ(p.FooterFont().size, 12);
  p.SetAutoHeaderFont(false);
  p.SetFont({"Mono", 14});
  EXPECT_EQ(p.HeaderFont().size, 12);
  EXPECT_EQ(p.FooterFont().size, 14);
  // A resolution the device cannot tell is taken as 300 dpi.
  device.dpi = 0;
  EXPECT_EQ(p.UnitsToPixelsX(2), 600);
  p.SetMeasureUnit(muMillimeters);
  EXPECT_NEAR(p.PixelsToUnitsY(300), 25.4, 1e-9);
}

TEST(PagePrinter, MarginsAreClampedAndLockedWhileBuilding) {
  Fixture f;
  for (double v : {-5.0, 0.0, 0.1}) {
    f.printer.SetMarginLeft(v);
    f.printer.SetMarginBottom(v);
    EXPECT_DOUBLE_EQ(f.printer.MarginLeft(), 50.0 / 300);
    EXPECT_DOUBLE_EQ(f.printer.MarginBottom(), 50.0 / 300);
  }
  f.printer.SetMarginRight(100);
  EXPECT_DOUBLE_EQ(f.printer.MarginRight(), (2480.0 - 50) / 300);
  f.printer.SetMarginRight(1);
  f.printer.SetMarginLeft(1);
  f.printer.SetMarginBottom(1);
  f.printer.BeginDoc();
  for (const auto& [set, side] : {std::pair{&TPagePrinter::SetMarginTop, "top"}, {&TPagePrinter::SetMarginBottom, "bottom"},
                                  {&TPagePrinter::SetMarginLeft, "left"}, {&TPagePrinter::SetMarginRight, "right"}})
    EXPECT_EQ(Error([&] { (f.printer.*set)(2); }), "Unable to change " + std::string(side) + " margin while printing");
  EXPECT_EQ(Error([&] { f.printer.SetOrientation(poLandscape); }), "Unable to change orientation while printing");
  EXPECT_EQ(Error([&] { f.printer.SetFileName("x"); }), "Can't change FileName while printing");
  EXPECT_DOUBLE_EQ(f.printer.MarginTop(), 1);
}

TEST(PagePrinter, TabsExpandToTheNextStop) {
  const struct { std::string in; unsigned tab; std::string out; } cases[] = {
      {"abc\tX", 8, "abc     X"}, {"\t", 4, "    "}, {"a\tb\tc", 4, "a   b   c"}, {"abcd\tX", 4, "abcd    X"}, {"a\tb", 0, "a b"}};
  for (const auto& c : cases) {
    Fixture f;
    f.printer.SetTabSize(c.tab);
    f.Build({c.in});
    EXPECT_EQ(f.Body(1), std::vector<std::string>{c.out}) << c.in;
  }
}

TEST(PagePrinter, LongLinesAreWrappedAtBlanksOrCut) {
  Fixture f;
  const std::string word(200, 'w');
  f.Build({word});
  EXPECT_EQ(f.Body(1), (std::vector<std::string>{std::string(94, 'w'), std::string(94, 'w'), std::string(12, 'w')}));
  f.printer.SetWordWrap(false);
  f.Build({word, "next"});
  EXPECT_EQ(f.Body(1), (std::vector<std::string>{std::string(94, 'w'), "next"}));

  // Randomized: with wrapping on, the pieces fit and, since no word is longer than a line, every word
  // arrives whole and in order.
  auto words = [](const std::vector<std::string>& pieces) {
    std::vector<std::string> out;
    for (const std::string& piece : pieces) {
      std::size_t start = 0;
      while ((start = piece.find_first_not_of(' ', start)) != std::string::npos) {
        const std::size_t end = std::min(piece.find(' ', start), piece.size());
        out.push_back(piece.substr(start, end - start));
        start = end;
      }
    }
    return out;
  };
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    std::string line;
    while (line.size() < 400) {
      line += std::string(1 + random() % 30, static_cast<char>('a' + random() % 26));
      line += random() % 8 == 0 ? "  " : " ";
    }
    line.resize(300 + random() % 100);
    Fixture g;
    g.Build({line});
    const std::vector<std::string> pieces = g.Body(1);
    for (const std::string& piece : pieces) EXPECT_LE(piece.size(), 94u);
    EXPECT_EQ(words(pieces), words({line}));
    EXPECT_GE(pieces.size(), line.size() / 94 + 1);
  }
}

TEST(PagePrinter, PageCountsFollowTheSpacing) {
  // 2908 pixels of text area hold 69 single lines (42), 46 at one and a half (63), 34 double (84) and
  // 138 at half spacing (21); a full page starts a further, empty one.
  const struct { TLineSpacing spacing; int lines, pages; } cases[] = {
      {lsSingleSpace, 200, 3}, {lsSingleSpace, 69, 2}, {lsSingleSpace, 68, 1}, {lsSingleAndAHalf, 200, 5},
      {lsDoubleSpace, 200, 6},  {lsHalfSpace, 200, 2},   {lsHalfSpace, 138, 2},  {lsSingleSpace, 0, 1}};
  for (const auto& c : cases) {
    Fixture f;
    f.printer.SetLineSpacing(c.spacing);
    f.Build(std::vector<std::string>(static_cast<std::size_t>(c.lines), "x"));
    EXPECT_EQ(f.printer.PageCount(), c.pages) << c.spacing << " " << c.lines;
    EXPECT_EQ(f.printer.PageNumber(), 1);
  }
}

TEST(PagePrinter, FriendlyTextsBecomeColumns) {
  const struct { std::string friendly, fileName, header, format; } cases[] = {
      {"&c&f", "C:\\docs\\a.htm", "a.htm", "^6.27"},
      {"&c&f", "/home/u/b.txt", "b.txt", "^6.27"},
      {"&F", "C:\\docs\\a.htm", "C:\\docs\\a.htm", "<6.27"},
      {"&lLeft&rRight", "", "Left|Right", "<3.13|>3.13"},
      {"X&cY", "", "X|Y", "<3.13|^3.13"},
      {"&lA&cB&rC", "", "A|B|C", "<2.09|^2.09|>2.09"},
      {"&&", "", "&", "<6.27"},
      {"&c&f", "", " ", "^6.27"},
      {"&cStrona -&p-", "", "Strona -{$PAGE}-", "^6.27"},
      {"&i &q&d&D&t&T", "", "{$TITLE}  <ddddd><dddddd><t><tt>", "<6.27"},
      {"", "", "", "<6.27"},
  };
  for (const auto& c : cases) {
    Fixture f;
    f.printer.SetFileName(c.fileName);
    f.printer.SetFriendlyHeader(c.friendly);
    EXPECT_EQ(f.printer.Header(), c.header) << c.friendly;
    EXPECT_EQ(f.printer.HeaderFormat(), c.format) << c.friendly;
  }
  // In millimetres with 25 mm margins the column is the page less both margins.
  Fixture f;
  f.printer.SetMeasureUnit(muMillimeters);
  f.printer.SetMarginLeft(25);
  f.printer.SetMarginRight(25);
  f.printer.SetFriendlyFooter("&c&f");
  EXPECT_EQ(f.printer.FooterFormat(), "^159.97");
  // A layout set by hand follows a change of unit.
  f.printer.SetTableFormat("<25.40|>-50.80|^");
  f.printer.SetMeasureUnit(muInches);
  EXPECT_EQ(f.printer.TableFormat(), "<1.00|>-2.00|^");
}

TEST(PagePrinter, HeaderAndFooterSitInTheirBands) {
  // Without frames the header is centred between the paper edge and the top margin, the footer between
  // the text area and the paper's bottom edge; frames move the band edge to the frame line.
  const struct { std::uint8_t borders; int headerY, footerY; } cases[] = {
      {0, 79, 3287}, {pbTop | pbBottom, 49, 3317}, {pbLeft, 79, 3287}};
  for (const auto& c : cases) {
    Fixture f;
    f.printer.SetPageBorders(c.borders);
    f.printer.SetPageBorderOffset(0.2);
    f.printer.SetFileName("C:\\docs\\a.htm");
    f.printer.SetFriendlyHeader("&c&f");
    f.printer.SetFriendlyFooter("&lStrona -&p-");
    f.Build({"body"});
    const auto texts = f.P(1).Texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, "a.htm");
    EXPECT_EQ(texts[0].y, c.headerY);
    EXPECT_EQ(texts[0].x, 250 + (1881 - 100) / 2);  // centred in its column
    EXPECT_EQ(texts[1].text, "Strona -1-");
    EXPECT_EQ(texts[1].y, c.footerY);
    EXPECT_EQ(texts[1].x, 250 + 6);  // left column text is padded
    EXPECT_EQ(texts[2].text, "body");
    EXPECT_EQ(texts[2].y, 250);
  }
  // Frame lines lie PageBorderOffset outside the text area, 2 pixels wide at 300 dpi.
  Fixture f;
  f.printer.SetPageBorders(pbTop | pbBottom | pbLeft | pbRight);
  f.printer.SetPageBorderOffset(0.2);
  f.Build({});
  std::vector<std::array<int, 5>> lines;
  for (const auto& c : f.P(1).calls)
    if (c.kind == FakePrinterDevice::Call::Line) lines.push_back({c.x, c.y, c.x2, c.y2, c.pen});
  EXPECT_EQ(lines, (std::vector<std::array<int, 5>>{{190, 190, 2190, 190, 2},
                                                      {190, 3218, 2190, 3218, 2},
                                                      {190, 190, 190, 3218, 2},
                                                      {2190, 190, 2190, 3218, 2}}));
  // A header whose band is narrower than its line stays inside the printable area.
  Fixture g;
  g.printer.SetMarginTop(0);
  g.printer.SetHeader("H");
  g.printer.SetHeaderFormat("<2");
  g.Build({});
  EXPECT_EQ(g.P(1).Texts().at(0).y, 0);
}

TEST(PagePrinter, MacrosAreReplacedWhenDrawn) {
  Fixture f;
  f.printer.SetTitle("Quillpad - a.htm");
  f.printer.SetHeader("{$PAGE}/{$TITLE}|{$DATE} {$TIME}|{$LINE}{$X}");
  f.printer.SetHeaderFormat("<2|<2|<2");
  f.Build(std::vector<std::string>(150, "x"));
  ASSERT_EQ(f.printer.PageCount(), 3);
  const auto texts = f.P(3).Texts();
  EXPECT_EQ(texts[0].text, "3/Quillpad - a.htm");
  EXPECT_EQ(texts[1].text, "<ddddd> <tt>");
  EXPECT_EQ(texts[2].text, "0{$X}");  // the page number in the footer is the end-to-end print's
}

TEST(PagePrinter, PagesGoOutInRangeCopiesAndCollationOrder) {
  const struct { int from, to; unsigned copies; bool collate; std::string sent, firstLabel; } cases[] = {
      {2, 3, 2, true, "2 3 2 3", "Page 2 x 2 Copies|1/4"}, {2, 3, 2, false, "2 2 3 3", "Page 2 x 2 Copies|1/4"},
      {0, 0, 1, true, "1 2 3 4 5", "Page 1 of 5|1/5"}, {1, 2, 3, false, "1 1 1 2 2 2", "Page 1 of 2 x 3 Copies|1/6"},
      {4, 9, 1, true, "4 5", "Page 4|1/2"}};
  for (const auto& c : cases) {
    Fixture f;
    std::vector<std::string> labels;
    RecordProgress(f.printer, &labels);
    f.Build(std::vector<std::string>(69 * 4 + 1, "x"));
    ASSERT_EQ(f.printer.PageCount(), 5);
    f.device.copyCount = 7;
    f.printer.SetTitle("T");
    f.printer.SetFromPage(c.from);
    f.printer.SetToPage(c.to);
    f.printer.SetCopies(c.copies);
    f.printer.SetCollate(c.collate);
    f.printer.Print();
    EXPECT_EQ(f.device.Sent(), c.sent);
    EXPECT_EQ(labels.at(0), "T|Sending Pages To Printer|" + c.firstLabel);
    EXPECT_EQ(f.device.log.front(), "copies 1");
    EXPECT_EQ(f.device.log.back(), "copies 7");
    const auto sheets = std::count(f.device.log.begin(), f.device.log.end(), "sheet");
    EXPECT_EQ(sheets, static_cast<long>(labels.size()) - 1);
  }

  // Cancel before the third page: the job is ended (or aborted) and the pages stay.
  for (bool abort : {false, true}) {
    Fixture f;
    std::vector<std::string> labels;
    f.printer.SetProgressMessage("Busy");
    RecordProgress(f.printer, &labels, 3);
    f.printer.SetAbortOnCancel(abort);
    f.Build(std::vector<std::string>(69 * 4, "x"));
    EXPECT_THROW(f.printer.Print(), ECancelPrinting);
    EXPECT_EQ(f.device.Sent(), "1 2");
    EXPECT_EQ(labels.at(1), "|Busy|Page 2 of 5|2/5");
    EXPECT_EQ(f.device.log.at(f.device.log.size() - 2), abort ? "abort" : "end");
    EXPECT_EQ(f.printer.PageCount(), 5);
  }

  // A job that cannot start says why, and leaves the printer's copy count alone.
  Fixture f;
  f.Build({"x"});
  f.device.failJob = true;
  f.device.copyCount = 3;
  EXPECT_THROW(f.printer.Print(), EPagePrinter);
  EXPECT_EQ(f.device.copyCount, 3);
}

TEST(PagePrinter, NothingRebuildsOrPrintsAgainWhilePagesAreSent) {
  // Window events run between pages; a rebuild or a second print started from them must not touch the
  // pages being sent.
  for (int which = 0; which < 2; ++which) {
    Fixture f;
    f.Build(std::vector<std::string>(100, "x"));
    RecordProgress(f.printer, nullptr, 0, [&] { which == 0 ? f.printer.BeginDoc() : f.printer.Print(); });
    EXPECT_THROW(f.printer.Print(), EPagePrinter);
    EXPECT_EQ(f.printer.PageCount(), 2);
    EXPECT_EQ(f.device.log.at(f.device.log.size() - 2), "end");
    f.printer.ProgressFactory = nullptr;
    f.printer.Print();  // and printing works again afterwards
    EXPECT_EQ(f.device.Sent(), "1 2");
  }
}

TEST(PagePrinter, PageNumberStaysWithinThePages) {
  Fixture f;
  f.printer.SetPageNumber(5);  // no pages yet
  EXPECT_EQ(f.printer.PageNumber(), 0);
  f.Build(std::vector<std::string>(150, "x"));
  for (int bad : {0, 4, -1})
    EXPECT_EQ(Error([&] { f.printer.SetPageNumber(bad); }), "PageNumber must be between 1 and 3") << bad;
  f.printer.SetPageNumber(3);
  EXPECT_EQ(f.printer.PageNumber(), 3);
  f.printer.SetToPage(2);
  f.printer.SetFromPage(3);
  EXPECT_EQ(f.printer.ToPage(), 3);
}

TEST(PagePrinter, BadInputGivesPagesOrAClearError) {
  Fixture f;
  // An empty document: one page with its header and footer.
  f.printer.SetFriendlyHeader("&c&f");
  f.printer.SetFriendlyFooter("&cStrona -&p-");
  f.Build({});
  ASSERT_EQ(f.printer.PageCount(), 1);
  EXPECT_EQ(f.P(1).Texts().size(), 2u);
  // A 10,000-character line without blanks is broken at the edge and nothing is lost.
  f.Build({std::string(10000, 'q')});
  std::size_t total = 0;
  for (int p = 1; p <= f.printer.PageCount(); ++p)
    for (const std::string& t : f.Body(p)) total += t.size();
  EXPECT_EQ(total, 10000u);
  // A font size of zero or less prints in the default size.
  f.printer.SetFont({"Mono", 0});
  EXPECT_EQ(f.printer.Font().size, 10);
  EXPECT_EQ(f.printer.LineHeight(), 42);
  // One character wider than the text area is drawn anyway, one to a line.
  f.printer.SetMarginLeft(4);
  f.printer.SetMarginRight(4);  // 80 pixels wide
  f.printer.SetFont({"Mono", 50});  // 100 pixels a character
  f.Build({"W", "AB"});
  EXPECT_EQ(f.Body(1), (std::vector<std::string>{"W", "A", "B"}));
  // Margins that cross leave no room: building refuses instead of making empty pages.
  f.printer.SetMarginLeft(5);
  f.printer.SetMarginRight(5);
  EXPECT_THROW(f.printer.BeginDoc(), EPagePrinter);
  EXPECT_THROW(f.printer.WriteLine("x"), EPagePrinter);
}

TEST(PagePrinter, PreviewGeometry) {
  Fixture f;
  f.Build({"x"});
  f.printer.SetZoomPercent(100);
  // 2380 x 3408 printer pixels at 96 dpi: 762 x 1091.
  const PreviewGeometry g = f.printer.Preview(1000, 1200, 96, 96);
  EXPECT_EQ(g.pageWidth, 762);
  EXPECT_EQ(g.pageHeight, 1091);
  EXPECT_EQ(g.scrollWidth, 774);
  EXPECT_EQ(g.page, (PreviewRect{119, 54, 881, 1145}));
  EXPECT_EQ(g.shadow, (PreviewRect{124, 59, 886, 1150}));
  EXPECT_EQ(g.picture, (PreviewRect{119 + 16 + 1, 54 + 16 + 1, 882, 1146}));
  f.printer.SetZoomPercent(50);
  EXPECT_EQ(f.printer.Preview(1000, 1200, 96, 96).pageWidth, 381);
  f.printer.SetZoomPercent(200);
  const std::pair<int, int> topLeft{0, 0}, topCenter{(1536 - 500) / 2, 0};
  const std::pair<int, int> center{(1536 - 500) / 2, (2194 - 400) / 2};
  EXPECT_EQ(f.printer.PreviewScrollPosition(500, 400, 96, 96), topLeft);
  f.printer.SetZoomLocation(zlTopCenter);
  EXPECT_EQ(f.printer.PreviewScrollPosition(500, 400, 96, 96), topCenter);
  f.printer.SetZoomLocation(zlCenter);
  EXPECT_EQ(f.printer.PreviewScrollPosition(500, 400, 96, 96), center);
}

// ---- The printer settings ----

TEST(PrintSettings, SectionPrintIsAppliedInOrder) {
  ScopedMemorySettings memory;
  SettingsStore store = OpenSettings(kPrinterKey);
  {
    // Defaults: millimetre margins of 25, FixedSys 12 (the file name on top and "Strona -N-" below are
    // checked in the printed PDF by the end-to-end PrintThroughTheDialog case).
    Fixture f;
    NameDocument(f.printer, "/home/u/list.txt");
    ApplyPrintSettings(f.printer, store, PrintCommandDefaults());
    EXPECT_EQ(f.printer.Title(), "Quillpad - list.txt");
    EXPECT_EQ(f.printer.MeasureUnit(), muMillimeters);
    EXPECT_DOUBLE_EQ(f.printer.MarginLeft(), 25);
    EXPECT_EQ(f.printer.Font(), (PrintFont{"FixedSys", 12}));
    EXPECT_EQ(f.printer.HeaderFont(), (PrintFont{"fixedsys", 12}));
    BuildDocumentPages(f.printer, "one\r\ntwo\r\n");
    EXPECT_EQ(f.Body(1), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(f.printer.LineSpacing(), lsSingleSpace);
  }
  store.WriteInteger("Print", "Spacing", 2);
  store.WriteInteger("Print", "Meassureunits", 1);
  store.WriteString("Print", "LeftMargin", "1,5");
  store.WriteInteger("Print", "TopBorder", 1);
  store.WriteInteger("Print", "HeaderBold", 1);
  store.WriteString("Print", "FooterText", "");
  {
    Fixture f;
    ApplyPrintSettings(f.printer, store, PrintCommandDefaults());
    EXPECT_EQ(f.printer.LineSpacing(), lsDoubleSpace);
    EXPECT_EQ(f.printer.MeasureUnit(), muInches);
    EXPECT_DOUBLE_EQ(f.printer.MarginLeft(), 1.5);
    EXPECT_EQ(f.printer.PageBorders(), pbTop);
    EXPECT_TRUE(f.printer.HeaderFont().bold);
    EXPECT_EQ(f.printer.Footer(), "");
  }
  store.WriteInteger("Print", "Spacing", 5);
  store.WriteString("Print", "BottomMargin", "2cm");
  {
    Fixture f;
    f.printer.SetLineSpacing(lsHalfSpace);
    const std::string error = Error([&] { ApplyPrintSettings(f.printer, store, PrintCommandDefaults()); });
    EXPECT_NE(error.find("bottom margin \"2cm\""), std::string::npos) << error;
    EXPECT_EQ(f.printer.LineSpacing(), lsHalfSpace);  // 5 is no spacing
  }
  // The preview's defaults fall back to the printer key's editor font.
  store.WriteInteger("Editor", "FontSize", 9);
  EXPECT_EQ(PreviewDefaults(store).fontSize, 9);
  EXPECT_EQ(PreviewRebuildDefaults(store).headerFontSize, 9);
  EXPECT_EQ(PreviewRebuildDefaults(store).footerText, "&cStrona-&p-");
}

TEST(PrintSettings, PrintDialogChoosesRangeCopiesAndCollation) {
  Fixture f;
  f.Build(std::vector<std::string>(69 * 2, "x"));
  Dialogs::PrintRequest asked;
  EXPECT_FALSE(PrintBuiltPages(f.printer, [&](Dialogs::PrintRequest& r) {
    asked = r;
    return false;
  }));
  EXPECT_EQ(asked.maxPage, 3);
  EXPECT_EQ(asked.toPage, 3);
  EXPECT_EQ(f.device.Sent(), "");
  EXPECT_TRUE(PrintBuiltPages(f.printer, [](Dialogs::PrintRequest& r) {
    r.allPages = false;
    r.fromPage = 2;
    r.toPage = 3;
    r.copies = 2;
    r.collate = false;
    return true;
  }));
  EXPECT_EQ(f.device.Sent(), "2 2 3 3");
  // A later print of all pages does not keep the earlier range.
  f.device.log.clear();
  EXPECT_TRUE(PrintBuiltPages(f.printer, [](Dialogs::PrintRequest&) { return true; }));
  EXPECT_EQ(f.device.Sent(), "1 2 3");
}

TEST(PrintOptionsValues, DefaultsRoundTripAndSizesAreChecked) {
  ScopedMemorySettings memory;
  SettingsStore store = OpenSettings(kPrinterKey);
  PrintOptionsValues v = ReadPrintOptions(store);
  EXPECT_EQ(v.footer.text, "&c strona-&p-");
  EXPECT_EQ(v.header.text, "&c&f");
  EXPECT_EQ(v.margins[2], "25");
  WritePrintOptions(store, v);
  EXPECT_EQ(store.ReadString("Print", "FooterText", ""), "&c strona-&p-");
  EXPECT_EQ(store.ReadString("Print", "HeaderFontSize", ""), "12");

  const struct { std::string body, header, footer; std::optional<int> bad; } cases[] = {
      {"11", "12", "12", std::nullopt}, {" -3 ", "12", "12", std::nullopt}, {"1.5", "12", "12", 0},
      {"12", "", "12", 1},             {"12", "12", "x", 2},              {"0x10", "12", "12", 0}};
  for (const auto& c : cases) {
    v.fontSize = c.body;
    v.header.fontSize = c.header;
    v.footer.fontSize = c.footer;
    EXPECT_EQ(InvalidSizeField(v), c.bad) << c.body << c.header << c.footer;
  }
  // With a bad size nothing at all is written.
  v.fontSize = "14";
  v.margins[0] = "30";
  v.footer.fontSize = "x";
  WritePrintOptions(store, v);
  EXPECT_EQ(store.ReadString("Print", "FontSize", ""), "12");
  EXPECT_EQ(store.ReadString("Print", "LeftMargin", ""), "25");
}

}  // namespace
