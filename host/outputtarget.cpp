#include "outputtarget.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

namespace sorel::host {

std::unique_ptr<OutputTarget> OutputTarget::create(const std::string& path, std::string* error) {
  auto refuse = [&](const std::string& why) {
    if (error) *error = why;
    return nullptr;
  };
  if (path.empty()) return refuse("the output name is empty");
  if (path == "-") return refuse("standard output (-o -) is not an output here; give a file name");
  struct stat link {};
  struct stat target {};
  const bool exists = ::lstat(path.c_str(), &link) == 0;
  if (exists && S_ISLNK(link.st_mode)) {
    if (::stat(path.c_str(), &target) != 0)
      return refuse(path + " is a symbolic link to nothing; give the file itself");
  } else {
    target = link;
  }
  if (exists && S_ISDIR(target.st_mode)) return refuse(path + " is a folder");

  std::unique_ptr<OutputTarget> out(new OutputTarget(path));
  if (exists && !S_ISREG(target.st_mode)) return out;  // a device or a pipe: in place
  out->replacing.emplace(exists ? finalPath(path) : path);
  return out;
}

std::string finalPath(const std::string& path) {
  std::error_code failure;
  const std::filesystem::path absolute = std::filesystem::weakly_canonical(path, failure);
  return failure ? path : absolute.string();
}

}  // namespace sorel::host
