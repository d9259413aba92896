// korvane-cli's GIF dump: the JSON line of a file that reads and of one that
// does not, with the exit status.
#include <gtest/gtest.h>

#include <sstream>

#include "DumpGif.h"
#include "GifBuilder.h"
#include "TestFiles.h"

namespace {

TEST(DumpGif, DescribesScreenFramesAndExtensionsInFileOrder) {
  const TBytes bytes = TGifBuilder()
                           .Header(3, 2, 0x80, 1)
                           .ColorTable({0x000000, 0xFFFFFF})
                           .Looping(0)
                           .GraphicControl(0x05, 10, 1)
                           .Comment({"hi"})
                           .Descriptor(0, 0, 3, 2)
                           .ImageData(2, LzwEncode({0, 1, 0, 1, 1, 0}, 2))
                           .PlainText({12, 1, 0, 2, 0, 3, 0, 4, 0, 5, 6, 7, 8}, {"ab"})
                           .Descriptor(1, 0, 2, 1, 0x40)
                           .ImageData(2, LzwEncode({1, 1}, 2))
                           .Raw({0x21, 0xF9, 4})  // cut short by the end of the file: not listed
                           .Bytes();
  TTempDir folder;
  WriteWholeFile(folder.File("a.gif"), bytes);
  std::ostringstream out;
  EXPECT_EQ(DumpGif(folder.File("a.gif"), out), 0);
  EXPECT_EQ(out.str(),
            "{\"format\":\"gif\",\"ok\":true,"
            "\"screen\":{\"width\":3,\"height\":2,\"background\":1,\"global_table\":[\"000000\",\"ffffff\"]},"
            "\"loop_count\":0,"
            "\"frames\":["
            "{\"left\":0,\"top\":0,\"width\":3,\"height\":2,\"interlaced\":false,\"local_table\":[],"
            "\"delay\":10,\"disposal\":1,\"transparent_index\":1,\"indices\":\"000100010100\"},"
            "{\"left\":1,\"top\":0,\"width\":2,\"height\":1,\"interlaced\":true,\"local_table\":[],"
            "\"delay\":0,\"disposal\":0,\"transparent_index\":null,\"indices\":\"0101\"}],"
            "\"extensions\":["
            "{\"type\":\"application\",\"before_frame\":0,\"identifier\":\"NETSCAPE2.0\",\"data_hex\":\"010000\","
            "\"loop_count\":0},"
            "{\"type\":\"graphic_control\",\"before_frame\":0,\"delay\":10,\"disposal\":1,\"transparent_index\":1,"
            "\"user_input\":false},"
            "{\"type\":\"comment\",\"before_frame\":0,\"text_hex\":\"6869\"},"
            "{\"type\":\"plain_text\",\"before_frame\":1,\"header_hex\":\"0c010002000300040005060708\","
            "\"text_hex\":\"6162\"}]}\n");
}

TEST(DumpGif, FailuresPrintTheExactMessageAndExitWithOne) {
  TTempDir folder;
  WriteWholeFile(folder.File("png.gif"), {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13});
  std::ostringstream notGif;
  EXPECT_EQ(DumpGif(folder.File("png.gif"), notGif), 1);
  EXPECT_EQ(notGif.str(), "{\"format\":\"gif\",\"ok\":false,\"error\":\"Invalid GIF signature\"}\n");

  std::ostringstream missing;
  EXPECT_EQ(DumpGif(folder.File("say \"no\".gif"), missing), 1);
  EXPECT_EQ(missing.str(), "{\"format\":\"gif\",\"ok\":false,\"error\":\"Cannot open file " +
                               folder.File("say \\\"no\\\".gif") + "\"}\n");
}

TEST(DumpGif, UnknownApplicationsShowTheirBytesAndNoLoopCount) {
  const TBytes bytes =
      TGifBuilder().Header(1, 1).Application("AB\x01" "CDEFGH12", {{0xAA}, {0xBB, 0xCC}}).Trailer().Bytes();
  TTempDir folder;
  WriteWholeFile(folder.File("b.gif"), bytes);
  std::ostringstream out;
  EXPECT_EQ(DumpGif(folder.File("b.gif"), out), 0);
  EXPECT_NE(out.str().find("\"frames\":[],\"extensions\":[{\"type\":\"application\",\"before_frame\":0,"
                           "\"identifier\":\"AB\\u0001CDEFGH12\",\"data_hex\":\"aabbcc\",\"loop_count\":null}]"),
            std::string::npos)
      << out.str();
  EXPECT_NE(out.str().find("\"loop_count\":null,\"frames\""), std::string::npos);
}

}  // namespace
