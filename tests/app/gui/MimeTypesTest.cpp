// The file types the installation adds (packaging/tolmek-mime.xml) as a desktop sees them: Qt's
// MIME database reads the same shared-mime-info files as the file managers do, here from a data
// folder of the test's own. update-mime-database compiles them as the installation does; where it
// is missing, Qt reads the XML itself.
#include <QMimeDatabase>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <regex>

#include "support/TestSupport.h"

namespace tolmek {
namespace {

namespace fs = std::filesystem;

const std::string kPackaging = std::string(TOLMEK_EXAMPLES_DIR) + "/../packaging";

// The MIME type the database gives the file, from its name and its content.
std::string TypeOf(const std::string& path) {
  return QMimeDatabase().mimeTypeForFile(QString::fromStdString(path)).name().toStdString();
}

std::string RandomBytes(size_t count) {
  std::mt19937 generator(7);
  std::string bytes(count, '\0');
  for (char& byte : bytes) byte = static_cast<char>(generator());
  return bytes;
}

// Runs before anything else in its process uses the MIME database, which reads its folders once
// (ctest runs every case in a process of its own).
TEST(MimeTypes, RecordingsAreKnownByTheirHeaderNativeFilesByNameAndNothingElseIsClaimed) {
  test::TempFolder data;
  fs::create_directories(data.File("mime/packages"));
  fs::copy_file(kPackaging + "/tolmek-mime.xml", data.File("mime/packages/tolmek.xml"));
  const test::ScopedVariable home("XDG_DATA_HOME", data.Path().c_str());
  const std::string compile = "update-mime-database " + data.File("mime");
  if (std::system("command -v update-mime-database >/dev/null") == 0) {
    ASSERT_EQ(std::system(compile.c_str()), 0);
  }

  const std::string examples = TOLMEK_EXAMPLES_DIR;
  const std::string recording = "application/x-tolmek-recording";
  for (const char* name : {"rec01.dat", "rec05.dat", "temp01.dat"})
    EXPECT_EQ(TypeOf(examples + "/" + name), recording) << name;
  test::TempFolder files;
  std::string header = test::Slurp(examples + "/rec05.dat").substr(0, 600);
  EXPECT_EQ(TypeOf(files.Write("REC05", header)), recording);  // whatever its name
  for (const char* name : {"leaf01.tmk", "leaf04.tmk", "leaf05.tmk", "leaf06.tmk"})
    EXPECT_EQ(TypeOf(examples + "/" + name), "application/x-tolmek") << name;

  // Other files of the same extensions keep their own types: an ASCII table and a note are text.
  EXPECT_EQ(TypeOf(examples + "/leaf01.asc"), "text/plain");
  EXPECT_EQ(TypeOf(files.Write("notes.dat", "Leaf 3 was wilted.\n")), "text/plain");
  header[2] = 2;  // a recording type the reader does not know
  for (const std::string& path :
       {files.Write("random.dat", RandomBytes(4096)), files.Write("type2.dat", header),
        files.Write("sig.asc",
                    "-----BEGIN PGP SIGNATURE-----\n\niQEzBAABCAAdFiEE\n"
                    "-----END PGP SIGNATURE-----\n")}) {
    const std::string found = TypeOf(path);
    EXPECT_EQ(found.find("tolmek"), std::string::npos) << path << ": " << found;
  }

  // The desktop entry offers exactly the types that are defined.
  const std::string xml = test::Slurp(kPackaging + "/tolmek-mime.xml");
  std::string defined;
  const std::regex typeAttribute("<mime-type type=\"([^\"]+)\"");
  for (std::sregex_iterator it(xml.begin(), xml.end(), typeAttribute), end; it != end; ++it)
    defined += (*it)[1].str() + ";";
  EXPECT_NE(test::Slurp(kPackaging + "/tolmek.desktop").find("\nMimeType=" + defined + "\n"),
            std::string::npos);
}

}  // namespace
}  // namespace tolmek
