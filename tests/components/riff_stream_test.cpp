#include "components/midi/riff_stream.h"

#include "tests/components/midi_bytes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace parlenko::midi {
namespace {

using testing::Bytes;
using testing::Cat;
using testing::RiffChunk;
using testing::Text;
using testing::WriteFile;

std::string ReadAll(TStream& s) {
    std::string out;
    char c;
    while (s.Read(&c, 1) == 1) out.push_back(c);
    return out;
}

std::string DescendError(TRiffStream& s, const std::string& id, unsigned flags) {
    try {
        s.Descend(id, flags);
    } catch (const Exception& e) {
        return e.what();
    }
    return "no error";
}

TEST(RiffStream, DescendsPastAnOddChunkIntoDataAndStopsAtItsEnd) {
    const Bytes file =
        RiffChunk("RIFF", Cat({Text("RMID"), RiffChunk("abcd", Text("odd")),
                               RiffChunk("data", Text("MIDI")), RiffChunk("tail", Text("xy"))}));
    TRiffMemoryStream s(file.data(), file.size());
    s.Descend("RMID", MMIO_FINDRIFF);
    EXPECT_EQ(s.Chunks().back().Info.fccType, StringToFourCC("RMID"));
    s.Descend("data", MMIO_FINDCHUNK);
    EXPECT_EQ(s.Chunks().back().Info.cksize, 4u);
    EXPECT_EQ(ReadAll(s), "MIDI");
}

TEST(RiffStream, AnyFormIsAcceptedButIdentifiersAreExact) {
    const Bytes wave = RiffChunk(
        "RIFF", Cat({Text("WAVE"), RiffChunk("DATA", Text("no")), RiffChunk("data", Text("yes"))}));
    TRiffMemoryStream s(wave.data(), wave.size());
    s.Descend("RMID", MMIO_FINDRIFF);
    EXPECT_EQ(DescendError(s, "Data", MMIO_FINDCHUNK), "Unable to descend into Data");
    s.Descend("data", MMIO_FINDCHUNK);
    EXPECT_EQ(ReadAll(s), "yes");

    const Bytes lower = Cat({Text("riff"), testing::LittleEndian32(4), Text("RMID")});
    TRiffMemoryStream l(lower.data(), lower.size());
    EXPECT_EQ(DescendError(l, "RMID", MMIO_FINDRIFF), "Unable to descend into RMID");
}

TEST(RiffStream, ChunksThatDoNotFitTheirParentAreNotFound) {
    // The "data" chunk lies beyond the RIFF chunk's own size.
    Bytes file = RiffChunk("RIFF", Cat({Text("RMID"), RiffChunk("junk", Text("1234"))}));
    const Bytes after = RiffChunk("data", Text("MThd"));
    file.insert(file.end(), after.begin(), after.end());
    TRiffMemoryStream s(file.data(), file.size());
    s.Descend("RMID", MMIO_FINDRIFF);
    EXPECT_EQ(DescendError(s, "data", MMIO_FINDCHUNK), "Unable to descend into data");

    const Bytes cut = {'R', 'I', 'F'};
    TRiffMemoryStream c(cut.data(), cut.size());
    EXPECT_EQ(DescendError(c, "RMID", MMIO_FINDRIFF), "Unable to descend into RMID");
}

TEST(RiffStream, ChunkIdsHaveFourCharacters) {
    EXPECT_NO_THROW(TRiffChunkInfo(""));
    try {
        TRiffChunkInfo info("dat");
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "RIFF Chunk ID must be four characters long");
    }
}

TEST(RiffStream, FileStreamReadsAFileAndReportsOneItCannotOpen) {
    const std::string path = ::testing::TempDir() + "riff_stream_test.rmi";
    const Bytes file = RiffChunk("RIFF", Cat({Text("RMID"), RiffChunk("data", Text("abc"))}));
    WriteFile(path, file);
    {
        TRiffFileStream s(path, fmOpenRead | fmShareDenyWrite);
        s.Descend("RMID", MMIO_FINDRIFF);
        s.Descend("data", MMIO_FINDCHUNK);
        EXPECT_EQ(ReadAll(s), "abc");
        EXPECT_EQ(s.Write("x", 1), 0u);  // opened for reading only
    }
    std::remove(path.c_str());
    try {
        TRiffFileStream s(path, fmOpenRead);
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to open " + path);
    }
    EXPECT_THROW(TRiffFileStream("/nonexistent-folder/x.rmi", fmCreate), EFCreateError);
}

}  // namespace
}  // namespace parlenko::midi
