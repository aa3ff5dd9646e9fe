#include <gtest/gtest.h>

#include "collection/cnf_fields.h"
#include "collection/cnf_records.h"
#include "text/cp1250.h"

namespace vorn {
namespace {

TEST(CnfFields, SetAndPrintEveryKind) {
  TCNFHeader h;
  h.zeroFill();
  auto set = [&](const char* name, const char* v) {
    return setCnfField(h.bytes(), *findCnfField(cnfHeaderFields(), name), v);
  };
  EXPECT_TRUE(set("ChgInt", "-5"));
  EXPECT_EQ(h.ChgInt(), -5);
  EXPECT_TRUE(set("EffectNum", "0x7B"));
  EXPECT_EQ(h.EffectNum(), 123);
  EXPECT_TRUE(set("BckColor", "#102030"));
  EXPECT_EQ(h.BckColor(), 0x00302010u);
  EXPECT_TRUE(set("UseCommonOptions", "yes"));
  EXPECT_TRUE(h.UseCommonOptions());
  EXPECT_TRUE(set("Comment", "Szép||nap"));
  EXPECT_EQ(h.Comment(), text::W1250("Szép||nap"));
  EXPECT_TRUE(set("CommentLen", "3"));
  EXPECT_EQ(h.CommentLen(), 3);
  EXPECT_FALSE(set("ChgInt", "4294967296"));
  EXPECT_FALSE(set("ChgInt", "12x"));
  EXPECT_FALSE(set("CommentLen", "-1"));
  EXPECT_FALSE(set("UseCommonOptions", "maybe"));
  EXPECT_FALSE(set("BckColor", "#12345"));
  EXPECT_EQ(h.ChgInt(), -5);  // failed sets leave the field
}

TEST(CnfFields, ItemFieldsCoverTheRecord) {
  size_t count = 0;
  for (const CnfField& f : cnfItemFields()) {
    EXPECT_LT(f.offset, TCNFItem::kSize);
    ++count;
  }
  EXPECT_EQ(count, 13u);
}

}  // namespace
}  // namespace vorn
