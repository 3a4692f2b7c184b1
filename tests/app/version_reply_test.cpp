// What the update check sends, where it sends it, and what it takes from the reply.

#include "app/version_reply.h"

#include <gtest/gtest.h>

#include "version.h"

namespace vexa::app {
namespace {

TEST(VersionRequest, AbsoluteRequestLineAndNoHeaders) {
  EXPECT_EQ(VersionRequest({"vexa.example.org", 80}),
            "GET http://vexa.example.org/ver.php HTTP/1.0\r\n\r\n");
  EXPECT_EQ(VersionRequest({"127.0.0.1", 8080}),
            "GET http://127.0.0.1:8080/ver.php HTTP/1.0\r\n\r\n");
}

TEST(VersionFromReply, TheBodyAfterTheFirstBlankLineExactly) {
  EXPECT_EQ(VersionFromReply("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n2.2.0"), "2.2.0");
  EXPECT_EQ(VersionFromReply("HTTP/1.1 200 OK\r\n\r\n2.2.0\r\n"), "2.2.0\r\n");
  EXPECT_EQ(VersionFromReply("HTTP/1.0 200\r\n\r\n2.3.0\r\n\r\nmore"), "2.3.0\r\n\r\nmore");
}

TEST(VersionFromReply, NoBlankLineNoVersion) {
  EXPECT_FALSE(VersionFromReply(""));
  EXPECT_FALSE(VersionFromReply("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n"));
  EXPECT_FALSE(VersionFromReply("HTTP/1.0 200 OK\n\n2.2.0"));
}

TEST(VersionFromReply, ErrorPagesAndEmptyBodiesAreNoVersion) {
  EXPECT_FALSE(VersionFromReply("HTTP/1.0 404 Not Found\r\n\r\n<html>Not Found</html>"));
  EXPECT_FALSE(VersionFromReply("HTTP/1.1 302 Found\r\nLocation: http://portal/\r\n\r\nx"));
  EXPECT_FALSE(VersionFromReply("HTTP/1.0 2000 OK\r\n\r\n2.2.0"));
  EXPECT_FALSE(VersionFromReply("HTTP/1.0 200 OK\r\n\r\n"));
  EXPECT_FALSE(VersionFromReply("SSH-2.0-OpenSSH\r\n\r\n2.2.0"));
}

TEST(UpdateNotice, AnyDifferenceCounts) {
  EXPECT_FALSE(UpdateNoticeNeeded("2.2.0", "2.2.0"));
  EXPECT_TRUE(UpdateNoticeNeeded("2.2.0", "2.2.0\r\n"));
  EXPECT_TRUE(UpdateNoticeNeeded("2.2.0", "2.1.9"));
  EXPECT_TRUE(UpdateNoticeNeeded("2.2.0", "2.3.0"));
  EXPECT_FALSE(UpdateNoticeNeeded("2.2.0", ""));
}

TEST(UpdateServer, TheWebSiteOnPort80UnlessOverridden) {
  const UpdateServer site = ResolveUpdateServer(nullptr);
  EXPECT_EQ(site.host, VEXA_WEB_HOST);
  EXPECT_EQ(site.port, 80);

  const UpdateServer local = ResolveUpdateServer("127.0.0.1:8080");
  EXPECT_EQ(local.host, "127.0.0.1");
  EXPECT_EQ(local.port, 8080);
  const UpdateServer named = ResolveUpdateServer("localhost");
  EXPECT_EQ(named.host, "localhost");
  EXPECT_EQ(named.port, 80);
}

TEST(UpdateServer, AMalformedOverrideTurnsTheCheckOff) {
  for (const char* value : {"", ":80", "host:", "host:0", "host:65536", "host:8o", "a b:80",
                            "http://host:80", "host:-1"}) {
    EXPECT_EQ(ResolveUpdateServer(value).host, "") << value;
  }
}

}  // namespace
}  // namespace vexa::app
