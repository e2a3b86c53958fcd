// The settings store over any backend: numbers in decimal and hexadecimal, booleans, and the process-wide
// store on the layout key.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>

#include "fakes/MemorySettingsBackend.h"
#include "fakes/TestFiles.h"
#include "settings/MainSettings.h"
#include "settings/SettingsStore.h"

TEST(SettingsStore, ReadsIntegersAndBooleansWithADefaultForAnythingElse) {
  const std::int32_t def = 4242;
  const struct { const char* text; std::int32_t expected; } cases[] = {
      {"25", 25}, {"-1", -1}, {"+7", 7}, {"0", 0}, {"007", 7}, {"16711680", 16711680},
      {"0xFF", 255}, {"0XfF", 255}, {"$FF", 255}, {"$ff", 255}, {"0x0", 0}, {"$00000000FF", 255},
      {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}, {"$FFFFFFFF", -1},
      {"0x80000005", static_cast<std::int32_t>(0x80000005u)},
      // Not numbers, or not 32-bit ones: the default.
      {"", def}, {"0x", def}, {"$", def}, {"-", def}, {"+", def}, {"abc", def}, {" 5", def}, {"5 ", def},
      {"1.5", def}, {"--1", def}, {"-$5", def}, {"$-1", def}, {"0x-1", def}, {"0b1", def}, {"$G", def},
      {"2147483648", def}, {"-2147483649", def}, {"$100000000", def}, {"$FFFFFFFFF", def},
      {"99999999999999999999", def},
  };
  auto backend = std::make_shared<MemorySettingsBackend>();
  SettingsStore store(backend);
  EXPECT_EQ(store.ReadInteger("Editor", "TagForeground", def), def) << "missing value";
  EXPECT_TRUE(store.ReadBool("Tips", "ShowTips", true));
  for (const auto& c : cases) {
    store.WriteString("Editor", "TagForeground", c.text);
    EXPECT_EQ(store.ReadInteger("Editor", "TagForeground", def), c.expected) << '"' << c.text << '"';
    // A boolean is an integer other than 0; what is not a number gives the default.
    for (const bool b : {false, true})
      EXPECT_EQ(store.ReadBool("Editor", "TagForeground", b), c.expected == def ? b : c.expected != 0) << c.text;
  }
  store.WriteBool("Tips", "ShowTips", false);
  EXPECT_EQ(store.ReadString("Tips", "ShowTips", "?"), "0");
  store.WriteInteger("Main", "Left", INT_MIN);
  EXPECT_EQ(store.ReadString("Main", "Left", "?"), "-2147483648");
  EXPECT_EQ(backend->Count(), 3u);
}

TEST(MainSettings, OpensTheLayoutKeyAndSharesItWithOtherStoresOnIt) {
  {
    ScopedMemorySettings memory;
    MainSettings().WriteInteger("Interface", "Language", 2);
    EXPECT_EQ(OpenSettings(kLayoutKey).ReadInteger("interface", "language", -1), 2);
    EXPECT_EQ(OpenSettings(kPrinterKey).ReadInteger("Interface", "Language", -1), -1);
    EXPECT_EQ(memory.Backend(kLayoutKey)->Count(), 1u);
  }
  TempFolder dir;
  ScopedEnv own("QUILLPAD_CONFIG_DIR", dir.Path().c_str());
  OpenMainSettings();
  EXPECT_TRUE(std::filesystem::exists(dir / "Layout.ini"));
  OpenSettings(kPrinterKey).WriteString("Print", "FooterText", "&c strona-&p-");
  MainSettings().WriteBool("Main", "HTMLBar", true);
  EXPECT_EQ(ReadBytes(dir / "printer.ini"), "[Print]\nFooterText=&c strona-&p-\n");
  EXPECT_EQ(ReadBytes(dir / "Layout.ini"), "[Main]\nHTMLBar=1\n");
  SetSettingsBackendFactory(nullptr);  // closes MainSettings before the folder goes
}
