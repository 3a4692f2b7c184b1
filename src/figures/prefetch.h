#pragma once
// A hint to load memory that will be read soon, for walks that jump about millions of figures'
// records: without it each record is waited for in turn.

namespace vexa::figures {

inline void Prefetch(const void* address) {
#if defined(__GNUC__)
  __builtin_prefetch(address);
#else
  (void)address;
#endif
}

}  // namespace vexa::figures
