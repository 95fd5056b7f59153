// The output file of the programs: the target keeps its old content until
// the stream is closed, a discarded or failed run leaves it as it was, and
// no temporary file outlives the run.
#include "ausgabedatei.h"

#include "numerik/fehler.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// A directory of its own for each test, removed with what it holds.
class ausgabedatei_test : public testing::Test {
  protected:
    void SetUp() override {
        std::string muster = testing::TempDir() + "ausgabedateiXXXXXX";
        ASSERT_NE(mkdtemp(muster.data()), nullptr);
        dir_ = muster + "/";
    }
    void TearDown() override {
        for (const std::string &name : eintraege())
            unlink((dir_ + name).c_str());
        rmdir(dir_.c_str());
    }
    std::string pfad(const char *name) const { return dir_ + name; }
    std::vector<std::string> eintraege() const {
        std::vector<std::string> namen;
        if (DIR *d = opendir(dir_.c_str())) {
            while (const dirent *e = readdir(d)) {
                std::string n = e->d_name;
                if (n != "." && n != "..") namen.push_back(n);
            }
            closedir(d);
        }
        return namen;
    }
    std::string inhalt(const char *name) const {
        std::ifstream ein(pfad(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(ein), {}};
    }
    void schreiben(const char *name, const char *text) const {
        std::ofstream(pfad(name), std::ios::binary) << text;
    }
    std::string dir_;
};

TEST_F(ausgabedatei_test, ZielErstNachDemSchliessenErsetzt) {
    schreiben("ziel", "alt\n");
    ASSERT_EQ(chmod(pfad("ziel").c_str(), 0640), 0);
    FILE *aus = ausgabedatei_oeffnen(pfad("ziel").c_str());
    std::fputs("neu\n", aus);
    std::fflush(aus);
    // Written so far: the temporary file beside the target, named after it.
    std::vector<std::string> namen = eintraege();
    ASSERT_EQ(namen.size(), 2u);
    const std::string &zwischen = namen[0] == "ziel" ? namen[1] : namen[0];
    EXPECT_EQ(zwischen.size(), std::string(".ziel.XXXXXX").size());
    EXPECT_EQ(zwischen.rfind(".ziel.", 0), 0u);
    EXPECT_EQ(inhalt("ziel"), "alt\n");

    EXPECT_TRUE(ausgabedatei_schliessen(aus, false));
    EXPECT_EQ(inhalt("ziel"), "neu\n");
    EXPECT_EQ(eintraege(), std::vector<std::string>{"ziel"});
    struct stat stand {};
    ASSERT_EQ(stat(pfad("ziel").c_str(), &stand), 0);
    EXPECT_EQ(stand.st_mode & 07777, 0640u);
}

TEST_F(ausgabedatei_test, VerworfeneAusgabeLaesstZielUnveraendert) {
    schreiben("ziel", "alt\n");
    FILE *aus = ausgabedatei_oeffnen(pfad("ziel").c_str());
    std::fputs("halb", aus);
    EXPECT_FALSE(ausgabedatei_schliessen(aus, true));
    EXPECT_EQ(inhalt("ziel"), "alt\n");
    EXPECT_EQ(eintraege(), std::vector<std::string>{"ziel"});

    // A new file that is discarded is not created at all.
    aus = ausgabedatei_oeffnen(pfad("neu").c_str());
    std::fputs("halb", aus);
    EXPECT_FALSE(ausgabedatei_schliessen(aus, true));
    EXPECT_EQ(eintraege(), std::vector<std::string>{"ziel"});
}

// Four files can be open at once with a temporary file each; a fifth is
// written in place, and all five end with their content.
TEST_F(ausgabedatei_test, FuenfteGleichzeitigeDateiAnOrtUndStelle) {
    const char *namen[] = {"a", "b", "c", "d", "e"};
    FILE *aus[5];
    for (int i = 0; i < 5; ++i) {
        schreiben(namen[i], "alt\n");
        aus[i] = ausgabedatei_oeffnen(pfad(namen[i]).c_str());
        std::fputs(namen[i], aus[i]);
    }
    EXPECT_EQ(eintraege().size(), 9u);
    EXPECT_EQ(inhalt("a"), "alt\n");
    EXPECT_EQ(inhalt("e"), ""); // truncated by fopen "wb", not yet flushed
    for (FILE *f : aus)
        EXPECT_TRUE(ausgabedatei_schliessen(f, false));
    for (const char *n : namen)
        EXPECT_EQ(inhalt(n), n);
    EXPECT_EQ(eintraege().size(), 5u);
}

// The fatal path removes the temporary file before the process ends.
TEST_F(ausgabedatei_test, FehlerpfadEntferntZwischendatei) {
    schreiben("ziel", "alt\n");
    EXPECT_EXIT(
        {
            FILE *aus = ausgabedatei_oeffnen(pfad("ziel").c_str());
            std::fputs("neu\n", aus);
            numerik_fehler("Abbruch mitten im Schreiben.\n");
        },
        testing::ExitedWithCode(1), "^Abbruch mitten im Schreiben.\n$");
    EXPECT_EQ(inhalt("ziel"), "alt\n");
    EXPECT_EQ(eintraege(), std::vector<std::string>{"ziel"});
}

// A directory that cannot be opened for writing ends with the message the
// programs give.
TEST_F(ausgabedatei_test, NichtOeffenbarEndetMitMeldung) {
    const std::string name = pfad("fehlt/ziel");
    EXPECT_EXIT(ausgabedatei_oeffnen(name.c_str()), testing::ExitedWithCode(1),
                "^Oeffnen der Datei .*fehlt/ziel fehlgeschlagen.");
}

} // namespace
