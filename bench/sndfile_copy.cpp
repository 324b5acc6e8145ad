// The baseline of sorel-render's speed: decode a file and encode it again in
// the same format with libsndfile alone, in blocks, nothing in between.
//   sndfile-copy IN OUT
#include <sndfile.h>

#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: sndfile-copy IN OUT\n");
    return 2;
  }
  SF_INFO info{};
  SNDFILE* in = sf_open(argv[1], SFM_READ, &info);
  if (!in) return 1;
  SNDFILE* out = sf_open(argv[2], SFM_WRITE, &info);
  if (!out) return 1;
  std::vector<float> block(static_cast<std::size_t>(512 * info.channels));
  for (sf_count_t got; (got = sf_readf_float(in, block.data(), 512)) > 0;) sf_writef_float(out, block.data(), got);
  sf_close(out);
  sf_close(in);
  return 0;
}
