#include "settings/ini_document.h"

#include <gtest/gtest.h>

namespace vexa::settings {
namespace {

TEST(IniDocumentFind, MatchesSectionAndKeyWithoutRegardToCaseAndTrimsBlanks) {
  const IniDocument document("[cnc]\n  PORT  =  com3 \t\n");
  EXPECT_EQ(document.find("CNC", "Port"), "com3");
}

TEST(IniDocumentFind, FirstKeyOfFirstSectionWins) {
  const IniDocument document("[CNC]\nspeed=1\nspeed=2\n[CNC]\nspeed=3\nhand_step=4\n");
  EXPECT_EQ(document.find("CNC", "speed"), "1");
  EXPECT_EQ(document.find("CNC", "hand_step"), std::nullopt);
}

TEST(IniDocumentFind, KeysOfOtherSectionsAndBeforeAnySectionAreNotSeen) {
  const IniDocument document("Port=com7\n[Other]\nPort=com8\n[CNC]\nspeed=1\n[Next]\nPort=com9\n");
  EXPECT_EQ(document.find("CNC", "Port"), std::nullopt);
}

TEST(IniDocumentFind, CommentsAndUnknownLinesAreNeverKeys) {
  const IniDocument document("[CNC]\n;Port=com2\n#Port=com3\nPort\n=com4\n");
  EXPECT_EQ(document.find("CNC", "Port"), std::nullopt);
  EXPECT_EQ(document.find("CNC", ";Port"), std::nullopt);
}

TEST(IniDocumentFind, PresentEmptyValueIsDistinctFromAbsentKey) {
  const IniDocument document("[CNC]\ncheck_prev=\n");
  EXPECT_EQ(document.find("CNC", "check_prev"), "");
  EXPECT_EQ(document.find("CNC", "check_ver"), std::nullopt);
}

TEST(IniDocumentFind, CrLfEndingsAndByteOrderMarkDoNotHideValues) {
  const IniDocument document("\xEF\xBB\xBF[CNC]\r\nImage=/home/\xD0\xAF/a b.bmp\r\n");
  EXPECT_EQ(document.find("CNC", "Image"), "/home/\xD0\xAF/a b.bmp");
}

TEST(IniDocumentSet, ReplacesTheLineInPlaceKeepingEverythingElse) {
  IniDocument document(
      "; top\n[A]\nPort=x\n[cnc]\n Port = com1 ;old\nunknown line\n\nspeed=9600\n");
  document.set("CNC", "port", "com5");
  EXPECT_EQ(document.text(), "; top\n[A]\nPort=x\n[cnc]\nport=com5\nunknown line\n\nspeed=9600\n");
}

TEST(IniDocumentSet, AddsAfterTheLastNonBlankLineOfTheSection) {
  IniDocument document("[CNC]\nPort=com1\n; note\n\n\n[Other]\nk=v\n");
  document.set("CNC", "speed", "9600");
  EXPECT_EQ(document.text(), "[CNC]\nPort=com1\n; note\nspeed=9600\n\n\n[Other]\nk=v\n");
}

TEST(IniDocumentSet, KeepsCrLfStyleAndByteOrderMark) {
  IniDocument document("\xEF\xBB\xBF[Other]\r\nk=v\r\n[CNC]\r\nPort=com1\r\n");
  document.set("CNC", "Port", "com2");
  document.set("CNC", "speed", "0");
  EXPECT_EQ(document.text(), "\xEF\xBB\xBF[Other]\r\nk=v\r\n[CNC]\r\nPort=com2\r\nspeed=0\r\n");
}

TEST(IniDocumentSet, LastLineWithoutLineBreakGetsOneBeforeTheNewLine) {
  IniDocument document("[CNC]\r\nPort=com1");
  document.set("CNC", "speed", "9600");
  EXPECT_EQ(document.text(), "[CNC]\r\nPort=com1\r\nspeed=9600\r\n");
}

TEST(IniDocumentSet, MissingSectionIsAppendedAfterABlankLine) {
  IniDocument document("[Other]\nk=v");
  document.set("CNC", "Port", "com1");
  EXPECT_EQ(document.text(), "[Other]\nk=v\n\n[CNC]\nPort=com1\n");

  IniDocument empty("");
  empty.set("CNC", "Port", "com1");
  EXPECT_EQ(empty.text(), "[CNC]\nPort=com1\n");
}

TEST(IniDocumentSet, UntouchedDocumentIsReproducedByteForByte) {
  const std::string text = "\r\n[CNC]\nPort=com1\r\n  ;x\n[b\n\t\nlast";
  EXPECT_EQ(IniDocument(text).text(), text);
}

}  // namespace
}  // namespace vexa::settings
