# Shared by the packaging tests (sourced): their arguments, how they skip, and an install of the
# build into a temporary prefix, the way a user or the package build installs it.
#   $1 build folder  $2 source folder  $3 application id  $4 home page
# CMAKE and CPACK name the tools of the build's own CMake.
set -euo pipefail
build_dir=$1
source_dir=$2
app_id=$3
homepage=$4
cmake=${CMAKE:-cmake}
cpack=${CPACK:-cpack}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Exit code 77 is registered as "skipped" with CTest.
skip_without() {
  local tool
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null; then
      echo "SKIP: '$tool' is not installed; 'tools/install-deps.sh test' installs it"
      exit 77
    fi
  done
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Installs the build into $work/prefix and sets $prefix.
install_tree() {
  prefix=$work/prefix
  "$cmake" --install "$build_dir" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; fail "cmake --install failed"; }
}
