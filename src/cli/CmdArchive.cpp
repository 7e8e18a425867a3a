// zelvora360-cli archive: make, list and unpack compressed archives.
#include <cstdio>
#include <iomanip>
#include <ostream>
#include <sstream>

#include "cli/CliCommand.h"
#include "store/Compress.h"

namespace zelvora::cli {
namespace {

const char* const kHelp =
    "usage: zelvora360-cli archive create ARCHIVE DIR FILE... [--method NON|RLE|LZH|LH5]\n"
    "       zelvora360-cli archive list ARCHIVE\n"
    "       zelvora360-cli archive extract ARCHIVE DIR [MEMBER...]\n"
    "       zelvora360-cli archive cat ARCHIVE MEMBER\n"
    "\n"
    "create   packs the FILEs (names relative to DIR) into a new ARCHIVE, each\n"
    "         compressed by itself with the method (LZH when not given); a file\n"
    "         that does not shrink is stored\n"
    "list     one line per entry: name, method, size, compressed size, checksum\n"
    "         (eight hexadecimal digits), separated by tabs\n"
    "extract  writes the MEMBERs (all when none is named) under DIR; each entry\n"
    "         not written, and each MEMBER no entry has, is named on standard\n"
    "         error with the reason, and the exit status is then 1\n"
    "cat      writes the member's bytes to standard output\n";

int Create(const ParsedArgs& args, CliContext& context) {
  if (args.positional.size() < 4)
    throw CliUsageError("archive create needs ARCHIVE, DIR and FILEs");
  std::string method_name = args.Value("--method").value_or("LZH");
  auto method = TCompress::MethodCode(method_name);
  if (!method || *method == TCompress::kMethodCustom) {
    throw CliUsageError("unknown method " + method_name + " (NON, RLE, LZH or LH5)");
  }
  std::vector<std::filesystem::path> files(args.positional.begin() + 3, args.positional.end());
  TCompress().CompressFiles(args.positional[1], args.positional[2], files, *method);
  (void)context;
  return 0;
}

int List(const ParsedArgs& args, CliContext& context) {
  if (args.positional.size() != 2) throw CliUsageError("archive list needs ARCHIVE");
  for (const TArchiveEntry& entry : TCompress().ListEntries(args.positional[1])) {
    auto method = TCompress::MethodName(entry.method);
    std::ostringstream line;
    line << entry.name << '\t' << (method ? *method : std::to_string(entry.method)) << '\t'
         << entry.size << '\t' << entry.compressed_size << '\t' << std::hex << std::uppercase
         << std::setw(8) << std::setfill('0') << entry.checksum << '\n';
    context.out << line.str();
  }
  return 0;
}

int Extract(const ParsedArgs& args, CliContext& context) {
  if (args.positional.size() < 3) throw CliUsageError("archive extract needs ARCHIVE and DIR");
  std::vector<std::string> members(args.positional.begin() + 3, args.positional.end());
  std::vector<TSkippedEntry> skipped;
  TCompress().ExpandFiles(args.positional[1], args.positional[2], members, {}, &skipped);
  for (const TSkippedEntry& entry : skipped) {
    context.err << "Skipped " << TCompress::PrintableName(entry.name) << ": " << entry.reason
                << "\n";
  }
  return skipped.empty() ? 0 : 1;
}

int Cat(const ParsedArgs& args, CliContext& context) {
  if (args.positional.size() != 3) throw CliUsageError("archive cat needs ARCHIVE and MEMBER");
  TCompress().ExtractToMemory(args.positional[1], args.positional[2], context.out);
  context.out.flush();
  return 0;
}

int RunArchive(CliContext& context) {
  ParsedArgs args = ParseArgs(context.args, {"--method"});
  if (args.positional.empty()) throw CliUsageError("archive needs a subcommand");
  const std::string& sub = args.positional[0];
  if (sub != "create" && args.Value("--method")) throw CliUsageError("--method is for create only");
  if (sub == "create") return Create(args, context);
  if (sub == "list") return List(args, context);
  if (sub == "extract") return Extract(args, context);
  if (sub == "cat") return Cat(args, context);
  throw CliUsageError("unknown subcommand " + sub);
}

const CliRegistrar kArchive{
    {"archive", "Make, list and unpack compressed archives", kHelp, RunArchive}};

}  // namespace
}  // namespace zelvora::cli
