// scramble IN OUT / unscramble IN OUT: produce and read survey package files
// the way the update processing reads them (4,096-byte calls from position 0).
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>

#include "base/AtomicFile.h"
#include "cli/CliCommand.h"
#include "interchange/ScrmStrm.h"

namespace zelvora::cli {
namespace {

std::string ReadWholeFile(const std::string& name) {
  std::error_code ec;
  if (std::filesystem::is_directory(name, ec))
    throw std::runtime_error("Cannot open file \"" + name + "\": it is a folder");
  std::ifstream in(name, std::ios::binary);
  if (!in) throw std::runtime_error("Cannot open file \"" + name + "\"");
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw std::runtime_error("Cannot read file \"" + name + "\"");
  return bytes;
}

void Commit(TAtomicFile& output) {
  try {
    output.Commit();
  } catch (const EAtomicWriteError&) {
    throw std::runtime_error("Cannot create file \"" + output.Target() + "\"");
  }
}

std::unique_ptr<TAtomicFile> OpenOutput(const std::string& name) {
  try {
    return std::make_unique<TAtomicFile>(name);
  } catch (const EAtomicWriteError&) {
    throw std::runtime_error("Cannot create file \"" + name + "\"");
  }
}

void WriteOutput(const std::string& name, std::string_view bytes) {
  const std::unique_ptr<TAtomicFile> output = OpenOutput(name);
  try {
    output->Write(bytes);
  } catch (const EAtomicWriteError&) {
    throw std::runtime_error("Cannot create file \"" + name + "\"");
  }
  Commit(*output);
}

ParsedArgs CheckArgs(const CliContext& context, const char* name) {
  ParsedArgs args = ParseArgs(context.args, {});
  if (args.positional.size() != 2)
    throw CliUsageError(std::string(name) + " needs an input and an output file");
  return args;
}

int RunScramble(CliContext& context) {
  const ParsedArgs args = CheckArgs(context, "scramble");
  const std::string& in_name = args.positional[0];
  const std::string& out_name = args.positional[1];
  try {
    const std::string text = ReadWholeFile(in_name);
    // Written beside OUT first, so a failure never leaves a half-written OUT.
    const std::unique_ptr<TAtomicFile> output = OpenOutput(out_name);
    {
      TScrambledStream out(output->TempPath(), TScrambledStream::Mode::kCreate);
      for (std::size_t at = 0; at < text.size(); at += kScrambleBlock)
        out.Write(text.data() + at, std::min(kScrambleBlock, text.size() - at));
    }
    Commit(*output);
  } catch (const std::exception& e) {
    context.err << e.what() << "\n";
    return 1;
  }
  return 0;
}

int RunUnscramble(CliContext& context) {
  const ParsedArgs args = CheckArgs(context, "unscramble");
  const std::string& in_name = args.positional[0];
  const std::string& out_name = args.positional[1];
  try {
    std::string text;
    {
      TScrambledStream in(in_name, TScrambledStream::Mode::kOpenRead);
      char block[kScrambleBlock];
      for (;;) {
        std::size_t got = in.Read(block, sizeof block);
        text.append(block, got);
        if (got < sizeof block) break;
      }
    }
    WriteOutput(out_name, text);
  } catch (const std::exception& e) {
    context.err << e.what() << "\n";
    return 1;
  }
  return 0;
}

const CliRegistrar kScramble{{"scramble", "Scramble a text package for the SURVEYS section",
                              "usage: zelvora360-cli scramble IN OUT\n"
                              "Writes IN to OUT scrambled in 4,096-byte blocks from position 0,\n"
                              "the way survey packages are read at start-up.\n",
                              RunScramble}};
const CliRegistrar kUnscramble{
    {"unscramble", "Unscramble a survey package",
     "usage: zelvora360-cli unscramble IN OUT\n"
     "Reads the scrambled package IN in 4,096-byte blocks from position 0\n"
     "and writes its plain text to OUT.\n",
     RunUnscramble}};

}  // namespace
}  // namespace zelvora::cli
