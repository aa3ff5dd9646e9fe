#include "cnftool.h"

#include "cnf_json.h"

#include <algorithm>
#include <cstring>

#include "collection/cnf_fields.h"
#include "collection/cnf_file_man.h"
#include "collection/collection_state.h"
#include "collection/crc32.h"
#include "platform/safe_save.h"
#include "text/cp1250.h"

namespace vorn::cnftool {
namespace {

// The reader's message boxes become lines on stderr.
class StderrBoxes final : public MessageBoxes {
 public:
  explicit StderrBoxes(std::ostream& err) : err_(err) {}
  void show(const std::string& text, const std::string& caption) override {
    err_ << text::cp1250ToUtf8(caption) << ": " << text::cp1250ToUtf8(text) << "\n";
    ++count;
  }
  int count = 0;

 private:
  std::ostream& err_;
};

struct Failure {
  int code;
  std::string message;
};

// A command-line path as the file layer takes it.
std::string toSystemPath(const std::string& utf8) {
  const std::string bytes = text::utf8ToCp1250(utf8);
  if (text::cp1250ToUtf8(bytes) != utf8)
    throw Failure{kUsage, "path cannot be written in Windows-1250: " + utf8};
  return bytes;
}

std::pair<std::string, std::string> splitAssignment(const std::string& a) {
  const size_t eq = a.find('=');
  if (eq == std::string::npos || eq == 0) throw Failure{kUsage, "expected Field=Value, got: " + a};
  return {a.substr(0, eq), a.substr(eq + 1)};
}

void assign(uint8_t* record, std::span<const CnfField> fields, const std::string& a, const char* what) {
  auto [name, value] = splitAssignment(a);
  const CnfField* f = findCnfField(fields, name);
  if (!f) throw Failure{kUsage, std::string("no ") + what + " field named " + name};
  if (!f->settable) throw Failure{kUsage, name + " is set by every save, not by hand"};
  if (Status s = setCnfField(record, *f, value); !s) throw Failure{kUsage, s.error()};
}

// Loads a collection; a file the reader rejects is a failure with its message.
void loadOrFail(TCNFFileMan& man, FileSystem& fs, StderrBoxes& boxes, const std::string& path) {
  if (!fs.exists(path)) throw Failure{kFailed, "no such file: " + text::cp1250ToUtf8(path)};
  man.FileName = path;
  man.LoadFromFile();
  if (!man.LastLoadAccepted())
    throw Failure{kFailed, "not a collection file: " + text::cp1250ToUtf8(path)};
}

void defaultHeader(TCNFHeader& h, const std::string& outPath) {
  h.zeroFill();
  h.setCollName(listCaptionOf(outPath).substr(0, 64));
  h.setChgIntMode(0);
  h.setChgInt(5);
  h.setChgIntMin(3);
  h.setChgIntMax(15);
}

void defaultItem(TCNFItem& it) {
  it.zeroFill();
  it.setPicTextPos(3);
  it.setPicTextFont("Arial");
  it.setPicTextSize(24);
  it.setPicTextColor(0x00FFFFFF);
  it.setChgInt(5);
  it.setShowMode(1);
}

int cmdCreate(const std::vector<std::string>& a, Env& env) {
  if (a.size() < 2) throw Failure{kUsage, "create needs OUT.CNF and at least one FILE"};
  const std::string out = toSystemPath(a[1]);
  StderrBoxes boxes(env.err);
  TCNFFileMan man(env.fs, boxes);
  man.FileName = out;
  if (env.now) man.Now = env.now;
  defaultHeader(man.header, out);
  TCNFItem sticky;
  defaultItem(sticky);
  std::string prefix;
  bool havePrefix = false;
  std::vector<std::string> bckSoundArgs;
  auto value = [&](size_t& i) -> const std::string& {
    if (i + 1 >= a.size()) throw Failure{kUsage, a[i] + " needs a value"};
    return a[++i];
  };
  for (size_t i = 2; i < a.size(); ++i) {
    const std::string& arg = a[i];
    if (arg == "-h" || arg == "--header") {
      assign(man.header.bytes(), cnfHeaderFields(), value(i), "header");
    } else if (arg == "-i" || arg == "--item") {
      assign(sticky.bytes(), cnfItemFields(), value(i), "item");
    } else if (arg == "--path-prefix") {
      prefix = toSystemPath(value(i));
      havePrefix = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      throw Failure{kUsage, "unknown option " + arg};
    } else {
      const std::string path = toSystemPath(arg);
      if (text::asciiUpper(path) == text::asciiUpper(out))
        throw Failure{kUsage, "the output must not be one of the inputs: " + arg};
      auto head = env.fs.readFile(path, kCrcSpan);
      if (!head) throw Failure{kFailed, "cannot read " + arg};
      TCNFItem it = sticky;
      const std::string name = fileNamePart(path.substr(path.find_last_of('/') + 1));
      const std::string stored = havePrefix ? prefix + name : env.storedPathOf(path);
      if (stored.size() > 255) throw Failure{kUsage, "stored path longer than 255 bytes: " + arg};
      it.setMediaPath(stored);
      it.setMediaCRC(int64_t(mediaCrcOf(head->data(), head->size())));
      man.Add(it);
    }
  }
  if (man.Count() == 0) throw Failure{kUsage, "create needs at least one FILE"};
  if (!man.SaveToFile()) throw Failure{kFailed, "cannot write " + a[1]};
  env.out << "created " << a[1] << " with " << man.Count() << " items\n";
  return kOk;
}

void dumpText(const TCNFFileMan& man, std::ostream& out) {
  out << "header\n";
  for (const CnfField& f : cnfHeaderFields())
    out << "  " << f.name << std::string(18 - std::min<size_t>(17, std::strlen(f.name)), ' ')
        << cnfFieldText(man.header.bytes(), f) << "\n";
  TCNFItem it;
  for (int i = 0; i < man.Count(); ++i) {
    man.GetItem(i, it);
    out << "item " << i << "\n";
    for (const CnfField& f : cnfItemFields())
      out << "  " << f.name << std::string(14 - std::min<size_t>(13, std::strlen(f.name)), ' ')
          << cnfFieldText(it.bytes(), f) << "\n";
  }
}

void dumpJson(const TCNFFileMan& man, std::ostream& out) {
  out << "{\"header\": {";
  bool first = true;
  for (const CnfField& f : cnfHeaderFields()) {
    out << (first ? "" : ", ") << jsonQuote(f.name) << ": " << cnfFieldJson(man.header.bytes(), f);
    first = false;
  }
  out << "}, \"items\": [";
  TCNFItem it;
  for (int i = 0; i < man.Count(); ++i) {
    man.GetItem(i, it);
    out << (i ? ", " : "") << "{";
    first = true;
    for (const CnfField& f : cnfItemFields()) {
      out << (first ? "" : ", ") << jsonQuote(f.name) << ": " << cnfFieldJson(it.bytes(), f);
      first = false;
    }
    out << "}";
  }
  out << "]}\n";
}

int cmdDump(const std::vector<std::string>& a, Env& env) {
  bool json = false;
  std::string file;
  for (size_t i = 1; i < a.size(); ++i) {
    if (a[i] == "--json") json = true;
    else if (a[i].size() > 1 && a[i][0] == '-') throw Failure{kUsage, "unknown option " + a[i]};
    else if (file.empty()) file = a[i];
    else throw Failure{kUsage, "dump takes one FILE.CNF"};
  }
  if (file.empty()) throw Failure{kUsage, "dump needs FILE.CNF"};
  StderrBoxes boxes(env.err);
  TCNFFileMan man(env.fs, boxes);
  loadOrFail(man, env.fs, boxes, toSystemPath(file));
  if (man.LastLoadMissing() > 0)
    env.err << "warning: ItemCount announces " << man.header.ItemCount() << " records, the file holds "
            << man.Count() << "\n";
  json ? dumpJson(man, env.out) : dumpText(man, env.out);
  return kOk;
}

int cmdVerify(const std::vector<std::string>& a, Env& env) {
  std::string file, media;
  bool test = false, haveMedia = false;
  for (size_t i = 1; i < a.size(); ++i) {
    if (a[i] == "--test") test = true;
    else if (a[i] == "--media") {
      if (i + 1 >= a.size()) throw Failure{kUsage, "--media needs a folder"};
      media = toSystemPath(a[++i]);
      haveMedia = true;
    } else if (a[i].size() > 1 && a[i][0] == '-') throw Failure{kUsage, "unknown option " + a[i]};
    else if (file.empty()) file = a[i];
    else throw Failure{kUsage, "verify takes one FILE.CNF"};
  }
  if (file.empty()) throw Failure{kUsage, "verify needs FILE.CNF"};
  const std::string path = toSystemPath(file);
  StderrBoxes boxes(env.err);
  TCNFFileMan man(env.fs, boxes);
  loadOrFail(man, env.fs, boxes, path);
  MediaLocation where;
  where.testRun = test;
  if (!test) {
    // The installed layout: X.CNF beside the folder X\ of its media.
    if (!haveMedia) media = changeFileExt(path, "");
    if (!media.empty() && media.back() != '\\' && media.back() != '/') media += '\\';
    where.MediaDir = media;
    where.BckSndDir = media + "BckSnd\\";
  }
  TCNFItem it;
  const int bad = firstChangedItem(man, env.fs, where, it);
  if (bad >= 0) {
    const std::string located = where.media(it.MediaPath());
    const bool present = !located.empty() && env.fs.exists(located);
    env.out << (present ? "changed: " : "missing: ") << text::cp1250ToUtf8(located) << " (item " << bad
            << ")\n";
    return kFailed;
  }
  env.out << "ok: " << man.Count() << " items\n";
  return kOk;
}

int cmdSet(const std::vector<std::string>& a, Env& env) {
  if (a.size() < 3) throw Failure{kUsage, "set needs FILE.CNF and at least one Field=Value"};
  const std::string path = toSystemPath(a[1]);
  StderrBoxes boxes(env.err);
  TCNFFileMan man(env.fs, boxes);
  if (env.now) man.Now = env.now;
  loadOrFail(man, env.fs, boxes, path);
  // Saving rewrites the whole file from what was read; refuse when that would
  // lose bytes the reader could not hold (a partial record, trailing data).
  const auto entry = env.fs.findFirst(path);
  const uint64_t expected = TCNFHeader::kSize + uint64_t(man.Count()) * TCNFItem::kSize;
  if (man.LastLoadMissing() > 0 || !entry || entry->size != expected)
    throw Failure{kFailed, "the file is not a complete collection (" +
                               std::to_string(entry ? entry->size : 0) + " bytes for " +
                               std::to_string(man.Count()) + " records); not changing it"};
  TCNFHeader changed = man.header;
  for (size_t i = 2; i < a.size(); ++i) assign(changed.bytes(), cnfHeaderFields(), a[i], "header");
  man.header = changed;
  if (!man.SaveToFile()) throw Failure{kFailed, "cannot save " + a[1] + "; the file is unchanged"};
  env.out << "saved " << a[1] << "\n";
  return kOk;
}

}  // namespace

std::string usageText() {
  return "usage:\n"
         "  cnftool create OUT.CNF [-h Field=Value]... [--path-prefix PREFIX]\n"
         "                 [-i Field=Value]... FILE... [-i Field=Value]... FILE...\n"
         "      -h sets a header field; -i sets an item field for the files that follow it;\n"
         "      --path-prefix stores PREFIX + file name instead of the full path\n"
         "  cnftool dump [--json] FILE.CNF\n"
         "  cnftool verify FILE.CNF [--media DIR] [--test]\n"
         "  cnftool set FILE.CNF Field=Value...\n"
         "header fields: CollName CopyText CollURL Comment CommentLen UseCommonOptions BckColor\n"
         "  ChgIntMode ChgInt ChgIntMin ChgIntMax ShowMode EffectNum NoMouseMoveExit\n"
         "  DisableAllSounds AllBckSound\n"
         "item fields: MediaPath MediaCRC SoundPath SoundLoop PicText PicTextPos PicTextFont\n"
         "  PicTextSize PicTextColor ChgInt EffectNum ShowMode BckColor\n"
         "colours: 0x00BBGGRR or #RRGGBB; bools: 0/1/true/false\n";
}

int run(const std::vector<std::string>& args, Env& env) {
  if (args.empty() || args[0] == "--help" || args[0] == "help") {
    (args.empty() ? env.err : env.out) << usageText();
    return args.empty() ? kUsage : kOk;
  }
  try {
    if (args[0] == "create") return cmdCreate(args, env);
    if (args[0] == "dump") return cmdDump(args, env);
    if (args[0] == "verify") return cmdVerify(args, env);
    if (args[0] == "set") return cmdSet(args, env);
    throw Failure{kUsage, "unknown command " + args[0]};
  } catch (const Failure& f) {
    env.err << "cnftool: " << f.message << "\n";
    if (f.code == kUsage) env.err << "(cnftool --help lists the commands and fields)\n";
    return f.code;
  }
}

}  // namespace vorn::cnftool
