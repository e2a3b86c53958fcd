// Laying documents out into pages with the page printer, on the 300-dpi fake printer (the engine's own
// cost: tabs, wrapping, page breaks, header and footer per page). Reported as pages per second.
#include <benchmark/benchmark.h>

#include "BenchDocuments.h"
#include "fakes/FakePrinterDevice.h"
#include "print/PrintSettings.h"
#include "print/TPagePrinter.h"

static void BM_LayOutPages(benchmark::State& state) {
  const std::string text = MakeHtmlDocument(static_cast<std::size_t>(state.range(0)) << 20);
  const std::vector<std::string> lines = SplitPrintLines(text);
  FakePrinterDevice device;
  TPagePrinter printer(device);
  printer.SetMeasureUnit(muMillimeters);
  for (auto setMargin : {&TPagePrinter::SetMarginLeft, &TPagePrinter::SetMarginRight, &TPagePrinter::SetMarginTop,
                         &TPagePrinter::SetMarginBottom})
    (printer.*setMargin)(25);
  printer.SetFont({"FixedSys", 12});
  printer.SetFileName("bench.htm");
  printer.SetFriendlyHeader("&c&f");
  printer.SetFriendlyFooter("&cStrona -&p-");
  std::int64_t pages = 0;
  for (auto _ : state) {
    printer.BeginDoc();
    printer.Lines = lines;
    printer.WriteLines(false);
    printer.EndDoc();
    pages += printer.PageCount();
  }
  state.counters["pages"] = printer.PageCount();
  state.counters["pages/s"] = benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LayOutPages)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
