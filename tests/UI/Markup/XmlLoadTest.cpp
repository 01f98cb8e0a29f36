// Loading documents from UTF-8 bytes, skin files and zip skin archives.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "UI/Markup/SkinStore.h"
#include "UI/Markup/XmlDocument.h"
#include "XmlTreeDump.h"
#include "support/ZipFixture.h"
#include "support/TempDir.h"

namespace {

using markuptest::DumpDocument;
using testsupport::BuildZip;
using testsupport::TempDir;
using testsupport::WriteFileBytes;
using testsupport::ZipEntryDescription;
using Vellum::CSkinStore;
using Vellum::CXmlDocument;

const size_t kLimit = 0x400000;

std::string Dump(const char* utf8) {
    CXmlDocument doc;
    const std::string bytes = utf8;
    if (!doc.LoadBytes(bytes.data(), bytes.size())) {
        return std::string("error: ") + doc.GetErrorMessage() + " at " + doc.GetErrorLocation();
    }
    return DumpDocument(doc);
}

// A document of exactly `size` bytes: <a>xxx...</a>.
std::string DocumentOfSize(size_t size) { return "<a>" + std::string(size - 7, 'x') + "</a>"; }

TEST(XmlLoad, ByteOrderMarkIsDroppedAndUtf8BecomesCodePage936) {
    // u8 literals stay UTF-8; plain literals are GBK.
    const std::string plain = reinterpret_cast<const char*>(u8"<a t=\"名称\">中文</a>");
    EXPECT_EQ(Dump(plain.c_str()), "a[t=名称]'中文'");
    EXPECT_EQ(Dump(("\xEF\xBB\xBF" + plain).c_str()), "a[t=名称]'中文'");
    // Two bytes are too short to be checked for a mark; they are text.
    EXPECT_EQ(Dump("\xEF\xBB"), "error: Expected start tag at ??");
}

TEST(XmlLoad, BytesThatAreNoUtf8OrHaveNoGbkFormBecomeQuestionMarks) {
    // A file saved as GBK: 名称 = C3 FB B3 C6 is no UTF-8 and comes out garbled.
    EXPECT_EQ(Dump("<a t=\"名称\"/>"), "a[t=????]");
    // U+D55C (Hangul) has no GBK form; U+1F600 lies outside the 16-bit range.
    // (Kept out of the assertion: its text is quoted as a GBK literal.)
    const char* noGbkForm = reinterpret_cast<const char*>(u8"<a t=\"한😀é\"/>");
    EXPECT_EQ(Dump(noGbkForm), "a[t=??é]");
}

TEST(XmlLoad, NulByteEndsTheText) {
    CXmlDocument doc;
    const std::string bytes("<a/>\0<garbage", 13);
    ASSERT_TRUE(doc.LoadBytes(bytes.data(), bytes.size()));
    EXPECT_EQ(DumpDocument(doc), "a");
}

class SkinFolder : public ::testing::Test {
protected:
    void SetUp() override { m_store.SetFolder(m_dir.Path() + m_dir.File("").back()); }

    // Loads `name` and returns "" or the error message.
    std::string LoadError(const char* name) {
        if (m_doc.LoadFile(name, m_store)) {
            return "";
        }
        EXPECT_STREQ(m_doc.GetErrorLocation(), "");
        return m_doc.GetErrorMessage();
    }

    TempDir m_dir;
    CSkinStore m_store;
    CXmlDocument m_doc;
};

TEST_F(SkinFolder, PlainFilesAndTheirMessages) {
    WriteFileBytes(m_dir.File("Main.xml"), "\xEF\xBB\xBF<Window><Label/></Window>");
    WriteFileBytes(m_dir.File("Empty.xml"), "");
    WriteFileBytes(m_dir.File("Broken.xml"), "<Window><Label></Window>");

    EXPECT_EQ(LoadError("Main.xml"), "");
    EXPECT_EQ(DumpDocument(m_doc), "Window(Label)");
    EXPECT_EQ(LoadError("Missing.xml"), "Error opening file");
    EXPECT_EQ(LoadError("Empty.xml"), "File is empty");
    EXPECT_FALSE(m_doc.LoadFile("Broken.xml", m_store));
    EXPECT_STREQ(m_doc.GetErrorMessage(), "Unmatched closing tag");
    EXPECT_STREQ(m_doc.GetErrorLocation(), "Window>");
}

TEST_F(SkinFolder, FourMebibytesLoadOneByteMoreIsTooLarge) {
    WriteFileBytes(m_dir.File("Limit.xml"), DocumentOfSize(kLimit));
    WriteFileBytes(m_dir.File("Over.xml"), DocumentOfSize(kLimit + 1));
    EXPECT_EQ(LoadError("Limit.xml"), "");
    EXPECT_EQ(std::string(m_doc.GetRoot().GetValue()).size(), kLimit - 7);
    EXPECT_EQ(LoadError("Over.xml"), "File too large");
}

class SkinArchive : public SkinFolder {
protected:
    void SetUp() override {
        SkinFolder::SetUp();
        m_archive = BuildZip({
            {"Stored.xml", "<Window name=\"stored\"/>", false},
            {"sub/Deflated.xml", "<Window name=\"deflated\">" + std::string(3000, ' ') + "</Window>", true},
            {"名称.xml", "<Window name=\"gbk\"/>", false},
            {reinterpret_cast<const char*>(u8"中文.xml"), "<Window name=\"utf8\"/>", false, 0x0800},
            {"Empty.xml", "", false},
            {"Limit.xml", DocumentOfSize(kLimit), true},
            {"Over.xml", DocumentOfSize(kLimit + 1), true},
            {"Damaged.xml", std::string(500, 'd'), true},
            {"BadCrc.xml", "<Window/>", false},
        });
        // A deflated stream with garbage in it, and a stored entry with one byte
        // changed behind the CRC's back.
        const size_t damaged = testsupport::DataOffset(m_archive, "Damaged.xml");
        m_archive[damaged] = '\xFF';
        m_archive[damaged + 1] = '\xFF';
        m_archive[testsupport::DataOffset(m_archive, "BadCrc.xml") + 1] = 'X';
        WriteFileBytes(m_dir.File("skin.zip"), m_archive);
    }

    std::string NameOfRoot() { return m_doc.GetRoot().GetAttributeValue("name"); }

    std::string m_archive;
};

TEST_F(SkinArchive, EntriesAndTheirMessages) {
    for (bool keepOpen : {false, true}) {
        SCOPED_TRACE(keepOpen ? "kept open" : "opened per file");
        m_store.SetArchive("skin.zip", keepOpen);
        EXPECT_EQ(LoadError("Stored.xml"), "");
        EXPECT_EQ(NameOfRoot(), "stored");
        EXPECT_EQ(LoadError("sub\\Deflated.xml"), "");
        EXPECT_EQ(NameOfRoot(), "deflated");
        EXPECT_EQ(LoadError("sub/Deflated.xml"), "");
        EXPECT_EQ(LoadError("名称.xml"), "");
        EXPECT_EQ(NameOfRoot(), "gbk");
        EXPECT_EQ(LoadError("中文.xml"), "");
        EXPECT_EQ(NameOfRoot(), "utf8");
        EXPECT_EQ(LoadError("Limit.xml"), "");

        EXPECT_EQ(LoadError("Missing.xml"), "Could not find ziped file");
        EXPECT_EQ(LoadError("stored.xml"), "Could not find ziped file");
        EXPECT_EQ(LoadError("Empty.xml"), "File is empty");
        EXPECT_EQ(LoadError("Over.xml"), "File too large");
        EXPECT_EQ(LoadError("Damaged.xml"), "Could not unzip file");
        EXPECT_EQ(LoadError("BadCrc.xml"), "Could not unzip file");
    }
}

TEST_F(SkinArchive, ArchivesThatCannotBeOpenedOrHoldNothing) {
    WriteFileBytes(m_dir.File("not.zip"), "this is no zip archive at all, just text");
    for (const char* name : {"missing.zip", "not.zip"}) {
        SCOPED_TRACE(name);
        m_store.SetArchive(name, false);
        EXPECT_EQ(LoadError("Stored.xml"), "Error opening zip file");
        m_store.SetArchive(name, true);
        EXPECT_EQ(LoadError("Stored.xml"), "Error opening zip file");
    }
    // An archive without entries opens; nothing is found in it.
    WriteFileBytes(m_dir.File("none.zip"), BuildZip({}));
    m_store.SetArchive("none.zip", false);
    EXPECT_EQ(LoadError("Stored.xml"), "Could not find ziped file");
    // A truncated archive loses its central directory.
    WriteFileBytes(m_dir.File("cut.zip"), m_archive.substr(0, m_archive.size() - 10));
    m_store.SetArchive("cut.zip", false);
    EXPECT_EQ(LoadError("Stored.xml"), "Error opening zip file");
}

TEST_F(SkinArchive, KeptOpenArchiveOutlivesItsFileReopenedOneDoesNot) {
    m_store.SetArchive("skin.zip", true);
    ASSERT_EQ(LoadError("Stored.xml"), "");
    // Removing an open file fails on Windows and succeeds on Linux; either way the
    // archive already open keeps answering.
    std::remove(m_dir.File("skin.zip").c_str());
    EXPECT_EQ(LoadError("sub/Deflated.xml"), "");

    WriteFileBytes(m_dir.File("other.zip"), m_archive);
    m_store.SetArchive("other.zip", false);
    ASSERT_EQ(LoadError("Stored.xml"), "");
    ASSERT_EQ(std::remove(m_dir.File("other.zip").c_str()), 0);
    EXPECT_EQ(LoadError("Stored.xml"), "Error opening zip file");
}

TEST_F(SkinArchive, ArchiveInMemory) {
    m_store.SetArchiveMemory(m_archive.data(), m_archive.size(), false);
    EXPECT_EQ(LoadError("sub/Deflated.xml"), "");
    EXPECT_EQ(NameOfRoot(), "deflated");
    EXPECT_EQ(LoadError("Missing.xml"), "Could not find ziped file");
    const std::string empty = BuildZip({});  // a central directory of 0 bytes
    m_store.SetArchiveMemory(empty.data(), empty.size(), true);
    EXPECT_EQ(LoadError("Stored.xml"), "Could not find ziped file");
    m_store.SetArchiveMemory(nullptr, 0, false);  // back to plain files
    EXPECT_EQ(LoadError("Stored.xml"), "Error opening file");
}

}  // namespace
