// The product's name and version as users see them, and where its maker and
// the version query live on the web.
#pragma once

inline constexpr char kProductName[] = "ORV";
inline constexpr char kProductVersionText[] = "2.0.0";
inline constexpr char kVersionQueryHost[] = "www.tarnwick.com";
inline constexpr int kVersionQueryPort = 80;
inline constexpr char kVersionQueryPath[] = "music/version/?file=orv";
inline constexpr char kMakerSiteAddress[] = "www.tarnwick.com";
inline constexpr char kMakerSiteUrl[] = "http://www.tarnwick.com";
inline constexpr char kDownloadPageUrl[] = "http://www.tarnwick.com/music/vst.html";
// An environment variable that, when set, replaces the version query's
// address (tests point it at a local server).
inline constexpr char kVersionQueryOverride[] = "ORV_TEST_VERSION_QUERY";
