#include "core/data_decryption.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <random>
#include <sys/wait.h>

#include "core/data_file_format.h"
#include "liveries/liveries_state.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"

namespace {

using testing::ElementsAre;

constexpr std::size_t kHeaderBytes = 24;
constexpr std::size_t kStoredChunkBytes = 4096 + 17;

// Runs the encryption tool; its exit status.
int lf_runEncryptTool(const std::string& arguments) {
    const std::string command = std::string("'" VANTREL_BINARY_DIR "/tools/encrypt/vantrel-encrypt' ") + arguments +
                                " 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string lf_randomBytes(std::size_t count) {
    std::mt19937 engine(static_cast<std::mt19937::result_type>(count));
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(count, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(byte(engine));
    }
    return bytes;
}

class DataDecryption : public testing::Test {
protected:
    test::LogCapture log_;
    std::filesystem::path plain_ = log_.folder() / "dbase.xml";
    std::filesystem::path encrypted_ = log_.folder() / "dbase.enc";
    std::filesystem::path decrypted_ = log_.folder() / "decrypted.xml";

    // Encrypts the bytes with the tool; the encrypted file's bytes.
    std::string encrypt(const std::string& bytes) {
        test::writeBytes(plain_, bytes);
        EXPECT_EQ(lf_runEncryptTool(plain_.string() + " " + encrypted_.string()), 0);
        return test::readBytes(encrypted_);
    }
};

TEST_F(DataDecryption, RoundTripsThroughTheToolForEveryChunkLayout) {
    // plain size, number of stored chunks (the last one tagged final)
    const std::array<std::pair<std::size_t, std::size_t>, 6> cases{
        {{0, 1}, {1, 1}, {4096, 1}, {4097, 2}, {8192, 2}, {1'000'003, 245}}};
    for (const auto& [size, chunks] : cases) {
        SCOPED_TRACE(size);
        const std::string bytes = lf_randomBytes(size);
        const std::string stored = encrypt(bytes);
        EXPECT_EQ(stored.size(), kHeaderBytes + size + chunks * 17);
        EXPECT_TRUE(gf_streamDecrypt(encrypted_, decrypted_));
        EXPECT_EQ(test::readBytes(decrypted_), bytes);
    }
    EXPECT_TRUE(log_.lines().empty());
}

TEST_F(DataDecryption, FailuresLeaveNoPlainFile) {
    const std::string stored = encrypt(lf_randomBytes(4097));
    std::string damaged = stored;
    damaged[kHeaderBytes + 100] ^= 0x01;
    // input bytes, error text
    const std::array<std::pair<std::string, std::string>, 6> cases{{
        {damaged, "Decryption failed"},
        {stored.substr(0, kHeaderBytes + kStoredChunkBytes), "Input ends without its final chunk"},
        {stored.substr(0, kHeaderBytes), "Input ends without its final chunk"},
        {stored.substr(0, stored.size() - 1), "Decryption failed"},
        {stored.substr(0, 10), "Input ends inside the stream header"},
        {"", "Input ends inside the stream header"},
    }};
    std::vector<std::string> expectedLog;
    for (const auto& [input, error] : cases) {
        SCOPED_TRACE(error);
        test::writeBytes(encrypted_, input);
        test::writeBytes(decrypted_, "an older plain file");
        EXPECT_FALSE(gf_streamDecrypt(encrypted_, decrypted_));
        EXPECT_FALSE(std::filesystem::exists(decrypted_));
        expectedLog.push_back("gf_streamDecrypt exception: " + error + ": " + encrypted_.string());
    }
    EXPECT_EQ(log_.lines(), expectedLog);
}

// Two readers decrypt the registration codes at start: a damaged file is
// named in one log line; once it changes (a new download) a failure is
// logged again.
TEST_F(DataDecryption, AFileThatFailsAgainUnchangedIsLoggedOnce) {
    const std::filesystem::path regcodes = log_.folder() / "AIG-regcodes.enc";
    const std::string stored = encrypt(lf_randomBytes(5000));
    test::writeBytes(regcodes, stored.substr(0, stored.size() - 1));
    EXPECT_FALSE(gf_streamDecrypt(regcodes, decrypted_));
    EXPECT_FALSE(gf_streamDecrypt(regcodes, decrypted_));
    test::writeBytes(regcodes, stored.substr(0, stored.size() - 2));
    EXPECT_FALSE(gf_streamDecrypt(regcodes, decrypted_));
    const std::string line = "gf_streamDecrypt exception: Decryption failed: " + regcodes.string();
    EXPECT_THAT(log_.lines(), ElementsAre(line, line));
}

TEST_F(DataDecryption, AWrongKeyFailsOnTheFirstChunk) {
    encrypt("<dbase/>");
    std::array<std::uint8_t, 32> otherKey{};
    otherKey[0] = 1;
    try {
        gf_decryptStream(otherKey, encrypted_, decrypted_);
        FAIL() << "decrypted with a wrong key";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(error.what(), "Decryption failed: " + encrypted_.string());
    }
    gf_decryptStream(kDataFileKey, encrypted_, decrypted_);
    EXPECT_EQ(test::readBytes(decrypted_), "<dbase/>");
}

TEST_F(DataDecryption, AMissingInputRemovesAnOlderPlainFile) {
    test::writeBytes(decrypted_, "an older plain file");
    EXPECT_FALSE(gf_streamDecrypt(log_.folder() / "missing.enc", decrypted_));
    EXPECT_FALSE(std::filesystem::exists(decrypted_));
    encrypt("x");
    EXPECT_FALSE(gf_streamDecrypt(encrypted_, log_.folder() / "no folder" / "x.xml"));
    EXPECT_THAT(log_.lines(),
                ElementsAre("gf_streamDecrypt exception: Could not open input file: " +
                                (log_.folder() / "missing.enc").string(),
                            "gf_streamDecrypt exception: Could not open output file: " +
                                (log_.folder() / "no folder" / "x.xml").string()));
}

TEST_F(DataDecryption, TheBuildsDataFilesDecryptToTheSampleData) {
    for (const char* name : {"dbase", "AIG-regcodes"}) {
        SCOPED_TRACE(name);
        const std::filesystem::path built = std::filesystem::path(VANTREL_BINARY_DIR) / "input" / (std::string(name) + ".enc");
        ASSERT_TRUE(gf_streamDecrypt(built, decrypted_));
        EXPECT_EQ(test::readBytes(decrypted_),
                  test::readBytes(std::filesystem::path(VANTREL_SOURCE_DIR) / "data" / (std::string(name) + ".xml")));
    }
}

TEST_F(DataDecryption, TheToolRefusesWrongArgumentsAndLeavesNoFileOnFailure) {
    EXPECT_EQ(lf_runEncryptTool(""), 2);
    EXPECT_EQ(lf_runEncryptTool((log_.folder() / "missing.xml").string() + " " + encrypted_.string()), 1);
    EXPECT_FALSE(std::filesystem::exists(encrypted_));
    EXPECT_FALSE(std::filesystem::exists(encrypted_.string() + ".part"));
}

TEST_F(DataDecryption, RemoveFileIfExistsWarnsOnlyWhenRemovalFails) {
    test::writeBytes(plain_, "x");
    gf_removeFileIfExists(plain_);
    gf_removeFileIfExists(plain_);
    EXPECT_FALSE(std::filesystem::exists(plain_));
    const auto folder = log_.folder() / "full";
    std::filesystem::create_directory(folder);
    test::writeBytes(folder / "x", "x");
    gf_removeFileIfExists(folder);
    EXPECT_TRUE(std::filesystem::exists(folder));
    ASSERT_EQ(log_.lines().size(), 1U);
    EXPECT_THAT(log_.lines()[0], testing::StartsWith("===> Warning: could not remove " + folder.string() +
                                                     ", errorcode: "));
}

}  // namespace
