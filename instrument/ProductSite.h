// Where the instrument's maker lives on the web: the host asked for the
// newest version number, the address shown to the user, and the page the
// new version is downloaded from.
#pragma once

namespace orv::instrument {

inline constexpr char kProductName[] = "ORV";
inline constexpr char kProductVersionText[] = "2.0.0";
inline constexpr char kVersionQueryHost[] = "www.tarnwick.com";
inline constexpr int kVersionQueryPort = 80;
inline constexpr char kVersionQueryPath[] = "music/version/?file=orv";
inline constexpr char kMakerSiteAddress[] = "www.tarnwick.com";
inline constexpr char kMakerSiteUrl[] = "http://www.tarnwick.com";
inline constexpr char kDownloadPageUrl[] = "http://www.tarnwick.com/music/vst.html";

// Tests point the version query at a server of their own with this
// environment variable ("host:port"); nothing a user's files hold can.
inline constexpr char kVersionQueryOverride[] = "ORV_TEST_VERSION_QUERY";

}  // namespace orv::instrument
