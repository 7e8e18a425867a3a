// zelvora360-cli lzh: the raw LZHUF bit stream over standard input and output.
#include <iostream>
#include <iterator>
#include <vector>

#include "cli/CliCommand.h"
#include "store/Lzhuf.h"

namespace zelvora::cli {
namespace {

const char* const kHelp =
    "usage: zelvora360-cli lzh encode < PLAIN > STREAM\n"
    "       zelvora360-cli lzh decode --size N < STREAM > PLAIN\n"
    "\n"
    "encode  writes the LZHUF stream of standard input (no length header)\n"
    "decode  expands an LZHUF stream to its N bytes\n";

std::vector<std::uint8_t> ReadStandardInput() {
  std::cin >> std::noskipws;
  return {std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
}

int RunLzh(CliContext& context) {
  ParsedArgs args = ParseArgs(context.args, {"--size"});
  if (args.positional.size() != 1) throw CliUsageError("lzh needs encode or decode");
  const std::string& sub = args.positional[0];
  std::vector<std::uint8_t> result;
  if (sub == "encode") {
    if (args.Value("--size")) throw CliUsageError("--size is for decode only");
    result = *LzhufEncode(ReadStandardInput());
  } else if (sub == "decode") {
    auto size_text = args.Value("--size");
    if (!size_text) throw CliUsageError("lzh decode needs --size N");
    std::size_t used = 0;
    unsigned long long size = 0;
    try {
      size = std::stoull(*size_text, &used);
    } catch (const std::exception&) {
      used = 0;
    }
    if (used == 0 || used != size_text->size() || (*size_text)[0] == '-') {
      throw CliUsageError("--size needs a byte count, not " + *size_text);
    }
    result = LzhufDecode(ReadStandardInput(), static_cast<std::size_t>(size));
  } else {
    throw CliUsageError("unknown subcommand " + sub);
  }
  context.out.write(reinterpret_cast<const char*>(result.data()),
                    static_cast<std::streamsize>(result.size()));
  context.out.flush();
  if (!context.out) {
    context.err << "Could not write standard output\n";
    return 1;
  }
  return 0;
}

const CliRegistrar kLzh{{"lzh", "Encode or decode a raw LZHUF stream", kHelp, RunLzh}};

}  // namespace
}  // namespace zelvora::cli
