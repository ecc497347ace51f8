#pragma once

#include <cstddef>
#include <cstdint>

// Every size and time limit of the HTTP client and its transport, in one place.
namespace net::limits {

// Longest status, header, chunk-size or trailer line accepted, without its LF.
inline constexpr std::size_t kMaxLineLength = 16384;
// Bytes asked of the socket per receive call.
inline constexpr std::size_t kRecvBufferSize = 32768;
// Bytes handed to the socket per send call.
inline constexpr std::size_t kSendBufferSize = 32768;
// Header lines of one reply read by default (the client's MaxHeaderLines).
inline constexpr int kDefaultMaxHeaderLines = 255;
// Header or trailer lines of one reply read at most when MaxHeaderLines is 0 or less.
inline constexpr int kAbsoluteMaxHeaderLines = 4096;
// Hex digits of a chunk size; more would overflow a 64-bit count.
inline constexpr std::size_t kMaxChunkSizeDigits = 15;
// Fold length of the raw header lists of requests and replies.
inline constexpr std::size_t kRawHeaderFoldLength = 1024;
// Fold length of other header lists.
inline constexpr std::size_t kDefaultFoldLength = 78;
// Connect limit used when no explicit ConnectTimeout is set and the anti-freeze runs.
inline constexpr int kDefaultConnectTimeoutMs = 120000;
// Longest sleep of the caller between looks at a running connect.
inline constexpr int kConnectSliceMs = 125;
// The anti-freeze's default wait slice (IdleTimeOut).
inline constexpr int kDefaultIdleTimeOutMs = 250;
// Read timeout for draining the body of an approved redirect.
inline constexpr int kRedirectDrainTimeoutMs = 4000;
// Redirects followed at most within one request by default (RedirectMaximum).
inline constexpr int kDefaultRedirectMaximum = 15;
// Answered 401/407 challenges per request by default (MaxAuthRetries).
inline constexpr int kDefaultMaxAuthRetries = 3;
// "100 Continue" replies skipped at most before a final reply; more are refused.
inline constexpr int kMaxInterimReplies = 32;
// Default maximum body size: 0 means no limit.
inline constexpr std::int64_t kNoBodyLimit = 0;

}  // namespace net::limits
