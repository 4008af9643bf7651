// The data files and the banner that ship with the program, read the way the
// program reads them.

#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "data/element_table.h"
#include "data/temp_folder.h"
#include "data/text_file.h"

namespace {

const char* const SHIPPED_DATA = CHEMTERM_SOURCE_DIR "/data";

constexpr int32_t ELEMENT_COUNT = 118;

/// The shipped table, loaded once by the real loader from the real files.
const ElementTable& shipped_table() {
  static const ElementTable table = [] {
    ElementTable loaded{};
    WorkingDirectory inside(SHIPPED_DATA);
    EXPECT_EQ(open_and_load_element_table(loaded), LoadResult::LOADED);
    return loaded;
  }();
  return table;
}

/// The record of atomic number `z`.
const ElementRecord& element(int32_t z) { return shipped_table().records[z - 1]; }

TEST(ShippedData, HoldsAllElements) { EXPECT_EQ(shipped_table().count, ELEMENT_COUNT); }

TEST(ShippedData, MassesAChemistKnows) {
  struct Case {
    int32_t z;
    const char* symbol;
    float mass;
  };
  const Case cases[] = {
      {1, "H", 1.008f},    {6, "C", 12.011f},   {8, "O", 15.999f},    {11, "Na", 22.99f},
      {17, "Cl", 35.45f},  {26, "Fe", 55.845f}, {92, "U", 238.03f},   {43, "Tc", 97.0f},
      {118, "Og", 294.0f},
  };
  ASSERT_EQ(shipped_table().count, ELEMENT_COUNT);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "Z = " << c.z);
    EXPECT_STREQ(element(c.z).symbol, c.symbol);
    EXPECT_EQ(element(c.z).mass, c.mass);
  }
}

TEST(ShippedData, EveryRecordIsFilled) {
  ASSERT_EQ(shipped_table().count, ELEMENT_COUNT);
  std::set<std::string> symbols, names;
  for (int32_t z = 1; z <= ELEMENT_COUNT; ++z) {
    const ElementRecord& record = element(z);
    SCOPED_TRACE(testing::Message() << "Z = " << z << " (" << record.symbol << ")");
    // A symbol is an upper-case letter and up to two lower-case ones; a name
    // one capitalised word that fits its field whole.
    const size_t symbol_length = std::strlen(record.symbol);
    EXPECT_TRUE(symbol_length >= 1 && symbol_length <= 3);
    EXPECT_TRUE(std::isupper(static_cast<unsigned char>(record.symbol[0])));
    for (size_t i = 1; i < symbol_length; ++i) {
      EXPECT_TRUE(std::islower(static_cast<unsigned char>(record.symbol[i])));
    }
    const size_t name_length = std::strlen(record.name);
    EXPECT_TRUE(name_length >= 2 && name_length < 19) << record.name;  // 19 could be a cut word
    EXPECT_TRUE(std::isupper(static_cast<unsigned char>(record.name[0])));
    for (size_t i = 1; i < name_length; ++i) {
      EXPECT_TRUE(std::islower(static_cast<unsigned char>(record.name[i])));
    }
    EXPECT_TRUE(symbols.insert(record.symbol).second) << "symbol " << record.symbol << " twice";
    EXPECT_TRUE(names.insert(record.name).second) << "name " << record.name << " twice";

    EXPECT_GT(record.mass, 0.0f);
    EXPECT_GE(record.density, 0.0f);
    EXPECT_GE(record.melt, 0.0f);
    EXPECT_GE(record.boil, 0.0f);
    EXPECT_GE(record.period, 1);
    EXPECT_LE(record.period, 7);
    if (z > 1) {
      EXPECT_GE(record.period, element(z - 1).period);
    }
  }
}

TEST(ShippedData, LanthanoidsAndActinoidsAreMarked) {
  ASSERT_EQ(shipped_table().count, ELEMENT_COUNT);
  for (int32_t z = 1; z <= ELEMENT_COUNT; ++z) {
    SCOPED_TRACE(testing::Message() << "Z = " << z << " (" << element(z).symbol << ")");
    const int32_t group = element(z).group;
    if (z >= 57 && z <= 71) {
      EXPECT_EQ(group, -1);  // La to Lu
    } else if (z >= 89 && z <= 103) {
      EXPECT_EQ(group, -2);  // Ac to Lr
    } else {
      EXPECT_GE(group, 1);
      EXPECT_LE(group, 18);
    }
  }
  EXPECT_STREQ(element(57).symbol, "La");
  EXPECT_STREQ(element(71).symbol, "Lu");
  EXPECT_STREQ(element(89).symbol, "Ac");
  EXPECT_STREQ(element(103).symbol, "Lr");
}

TEST(ShippedData, PropertiesAChemistKnows) {
  ASSERT_EQ(shipped_table().count, ELEMENT_COUNT);
  EXPECT_STREQ(element(1).name, "Hydrogen");
  EXPECT_EQ(element(1).density, 0.00008988f);  // a gas, in g/cm3
  EXPECT_EQ(element(2).melt, 0.95f);
  EXPECT_EQ(element(6).boil, 4098.0f);
  EXPECT_EQ(element(26).density, 7.874f);
  EXPECT_EQ(element(26).group, 8);
  EXPECT_EQ(element(26).period, 4);
  EXPECT_STREQ(element(13).name, "Aluminium");
  EXPECT_STREQ(element(16).name, "Sulfur");
  EXPECT_STREQ(element(55).name, "Caesium");
  EXPECT_EQ(element(118).melt, 0.0f);  // unknown
}

TEST(ShippedData, BannerFitsTheWindow) {
  TextFile head;
  {
    WorkingDirectory inside(SHIPPED_DATA);
    ASSERT_TRUE(head.open("head"));
  }
  std::string text;
  for (int c = 0; head.read_char(c);) text.push_back(static_cast<char>(c));
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.back(), '\n');
  size_t column = 0;
  for (char c : text) {
    if (c == '\n') {
      column = 0;
      continue;
    }
    EXPECT_TRUE(c >= ' ' && c <= '~')
        << "not plain ASCII: byte " << int(static_cast<unsigned char>(c));
    ++column;
    EXPECT_LE(column, 79u) << "a line wider than the window";
  }
}

}  // namespace
