// Laying documents out into pages on the real Qt printer device: the printer's font metrics and every
// page recorded as a QPicture, as the print command and the preview do. Pages per second.
#include <benchmark/benchmark.h>

#include "../BenchDocuments.h"
#include "print/PrintSettings.h"
#include "print/TPagePrinter.h"
#include "ui/QtPrinterDevice.h"

static void BM_QtLayOutPages(benchmark::State& state) {
  const std::string text = MakeHtmlDocument(static_cast<std::size_t>(state.range(0)) << 20);
  QtPrinterDevice device;
  device.SetPdfOutput(QStringLiteral("/dev/null"));
  TPagePrinter printer(device);
  printer.SetMeasureUnit(muMillimeters);
  printer.SetMarginLeft(25);
  printer.SetMarginRight(25);
  printer.SetMarginTop(25);
  printer.SetMarginBottom(25);
  printer.SetFont({"FixedSys", 12});
  printer.SetFileName("bench.htm");
  printer.SetFriendlyHeader("&c&f");
  printer.SetFriendlyFooter("&cStrona -&p-");
  std::int64_t pages = 0;
  for (auto _ : state) {
    BuildDocumentPages(printer, text);
    pages += printer.PageCount();
  }
  state.counters["pages"] = printer.PageCount();
  state.counters["pages/s"] = benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_QtLayOutPages)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
