#include "auxiliary/Des.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <thread>
#include <vector>

using namespace tavrin::des;

namespace {

std::string Bytes(const char* hex) {
  std::string out;
  for (const char* p = hex; p[0] && p[1]; p += 2)
    out.push_back(static_cast<char>(std::stoi(std::string(p, 2), nullptr, 16)));
  return out;
}

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    out.push_back(digits[c >> 4]);
    out.push_back(digits[c & 15]);
  }
  return out;
}

std::string Gbk(const char* utf8) {
  iconv_t cd = iconv_open("GBK", "UTF-8");
  std::string in(utf8), out(in.size() * 2, '\0');
  char* src = in.data();
  char* dst = out.data();
  std::size_t left = in.size(), room = out.size();
  const std::size_t rc = iconv(cd, &src, &left, &dst, &room);
  iconv_close(cd);
  if (rc == static_cast<std::size_t>(-1)) ADD_FAILURE() << "no GBK for " << utf8;
  out.resize(out.size() - room);
  return out;
}

// The program on PATH, or empty.
std::string FindProgram(const char* name) {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "";
  std::size_t b = 0;
  while (b <= dirs.size()) {
    std::size_t e = dirs.find(':', b);
    if (e == std::string::npos) e = dirs.size();
    const std::string candidate = dirs.substr(b, e - b) + "/" + name;
    if (e > b && ::access(candidate.c_str(), X_OK) == 0) return candidate;
    b = e + 1;
  }
  return {};
}

}  // namespace

TEST(Des, KnownAnswers) {
  // The worked example of the standard, as a block and through the text layer.
  EXPECT_EQ(EncipherBlock(0x0123456789ABCDEFull, Bytes("133457799BBCDFF1")), 0x85E813540F0AB405ull);
  EXPECT_EQ(DecipherBlock(0x85E813540F0AB405ull, Bytes("133457799BBCDFF1")), 0x0123456789ABCDEFull);
  EXPECT_EQ(EncipherHex(Bytes("0123456789ABCDEF"), Bytes("133457799BBCDFF1")), "85E813540F0AB405");
  // Three blocks of code-book mode: every block on its own, no chaining.
  EXPECT_EQ(EncipherHex("Now is the time for all ", Bytes("0123456789ABCDEF")),
            "3FA40E8A984D48156A271787AB8883F9893D51EC4B563B53");
  EXPECT_EQ(DecipherHex("3FA40E8A984D48156A271787AB8883F9893D51EC4B563B53", Bytes("0123456789ABCDEF")),
            "Now is the time for all ");
}

TEST(Des, RoundTripsAndLengths) {
  struct Case {
    std::string text;
    std::size_t hexLength;
  };
  const Case cases[] = {
      {"", 0},
      {"A", 16},
      {"ABCDEFG", 16},
      {"ABCDEFGH", 16},
      {"ABCDEFGHI", 32},
      {Gbk("出品：南粤风采36选7"), 48},
      {std::string("a\0b", 3), 16},
  };
  for (const Case& c : cases) {
    const std::string hex = EncipherHex(c.text, "Tv");
    EXPECT_EQ(hex.size(), c.hexLength) << Hex(c.text);
    EXPECT_EQ(EncipherText(c.text, "Tv").size() * 2, c.hexLength);
    EXPECT_EQ(DecipherHex(hex, "Tv"), c.text) << Hex(c.text);
    EXPECT_EQ(DecipherText(EncipherText(c.text, "Tv"), "Tv"), c.text);
  }
}

TEST(Des, HexForm) {
  const std::string text = Gbk("网址：http://www.orlek.example");
  const std::string hex = EncipherHex(text, "Tv");
  EXPECT_EQ(hex.find_first_not_of("0123456789ABCDEF"), std::string::npos) << hex;

  std::string lower = hex;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(DecipherHex(lower, "Tv"), text);
  // An odd last character is ignored, whatever it is.
  EXPECT_EQ(DecipherHex(hex + "F", "Tv"), text);
  EXPECT_EQ(DecipherHex(hex + "Z", "Tv"), text);
  EXPECT_EQ(DecipherHex("", "Tv"), "");
  // Bytes past the last whole block are dropped.
  EXPECT_EQ(DecipherHex(hex + "ABCD", "Tv"), text);

  for (const std::string& bad :
       {hex.substr(0, 10) + "G" + hex.substr(11), std::string("0x12"), hex + " 1", std::string("-1")}) {
    try {
      DecipherHex(bad, "Tv");
      ADD_FAILURE() << "accepted " << bad;
    } catch (const DesError& e) {
      EXPECT_STREQ(e.what(), "Error: not a Hex String");
    }
  }
}

TEST(Des, ZeroBytes) {
  try {
    EncipherText(std::string("AB\0", 3), "Tv");
    ADD_FAILURE() << "a text ending with a zero byte was enciphered";
  } catch (const DesError& e) {
    EXPECT_STREQ(e.what(), "Error: the last char is NULL char.");
  }
  EXPECT_THROW(EncipherHex(std::string(1, '\0'), "Tv"), DesError);
  // Zero bytes inside a text stay; only the padding at the end goes.
  const std::string padded = EncipherText(std::string("XY\0\0\0\0\0Z", 8), "k");
  EXPECT_EQ(DecipherText(padded, "k"), std::string("XY\0\0\0\0\0Z", 8));
}

TEST(Des, KeyRules) {
  const std::string text = Gbk("作者：Orlek彩票软件工作室");
  // Short keys are zero-padded, long keys cut after the eighth byte.
  EXPECT_EQ(EncipherHex(text, "Tv"), EncipherHex(text, std::string("Tv\0\0\0\0\0\0", 8)));
  EXPECT_EQ(EncipherHex(text, "ABCDEFGHxyz"), EncipherHex(text, "ABCDEFGH"));
  EXPECT_EQ(EncipherHex(text, ""), EncipherHex(text, std::string(8, '\0')));
  // The low bit of each key byte is parity and takes no part.
  EXPECT_EQ(EncipherHex(text, "ABCDEFGH"), EncipherHex(text, "@CBEDGFI"));
  EXPECT_NE(EncipherHex(text, "ABCDEFGH"), EncipherHex(text, "ABCDEFGJ"));
  // A wrong key is no error, just other bytes.
  EXPECT_NE(DecipherHex(EncipherHex(text, "Tv"), "Tu"), text);
}

TEST(Des, SafeFromAnyThread) {
  std::vector<std::string> texts, keys, expected;
  for (int i = 0; i < 8; ++i) {
    texts.push_back("line " + std::to_string(i) + " of the information file");
    keys.push_back(std::string(1, static_cast<char>('a' + i)) + "v");
    expected.push_back(EncipherHex(texts.back(), keys.back()));
  }
  std::vector<int> wrong(8, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t)
    threads.emplace_back([&, t] {
      for (int round = 0; round < 300; ++round) {
        const std::string hex = EncipherHex(texts[static_cast<std::size_t>(t)], keys[static_cast<std::size_t>(t)]);
        if (hex != expected[static_cast<std::size_t>(t)] ||
            DecipherHex(hex, keys[static_cast<std::size_t>(t)]) != texts[static_cast<std::size_t>(t)])
          ++wrong[static_cast<std::size_t>(t)];
      }
    });
  for (auto& th : threads) th.join();
  for (int w : wrong) EXPECT_EQ(w, 0);
}

// Any other implementation of the standard in code-book mode must agree.
TEST(Des, AgreesWithOpenssl) {
  const std::string openssl = FindProgram("openssl");
  char dataFile[] = "/tmp/tavrin-des-XXXXXX";
  const int fd = ::mkstemp(dataFile);
  ASSERT_GE(fd, 0);
  ::close(fd);
  auto run = [&](const std::string& key, const std::string& data, std::string* out) {
    std::ofstream(dataFile, std::ios::binary | std::ios::trunc) << data;
    const std::string cmd = openssl + " enc -des-ecb -nopad -provider legacy -provider default -K " + Hex(key) +
                            " -in " + dataFile + " 2>/dev/null";
    FILE* p = ::popen(cmd.c_str(), "r");
    if (!p) return false;
    out->clear();
    char buf[256];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out->append(buf, n);
    return ::pclose(p) == 0;
  };
  std::string probe;
  if (openssl.empty() || !run(Bytes("133457799BBCDFF1"), Bytes("0123456789ABCDEF"), &probe)) {
    std::remove(dataFile);
    GTEST_SKIP() << "openssl with its legacy provider is not available here; the cross-check was skipped";
  }
  ASSERT_EQ(Hex(probe), "85E813540F0AB405");

  std::mt19937 rng(20261210);
  std::uniform_int_distribution<int> byte(0, 255), length(1, 41), keyLength(1, 8);
  for (int i = 0; i < 24; ++i) {
    std::string key(static_cast<std::size_t>(keyLength(rng)), '\0'), text(static_cast<std::size_t>(length(rng)), '\0');
    for (char& c : key) c = static_cast<char>(byte(rng));
    for (char& c : text) c = static_cast<char>(byte(rng));
    if (text.back() == '\0') text.back() = 'x';
    std::string key8 = key, padded = text;
    key8.resize(8, '\0');
    padded.resize((padded.size() + 7) / 8 * 8, '\0');
    std::string theirs;
    ASSERT_TRUE(run(key8, padded, &theirs)) << "case " << i;
    EXPECT_EQ(EncipherText(text, key), theirs) << "case " << i << " key " << Hex(key);
  }
  std::remove(dataFile);
}
