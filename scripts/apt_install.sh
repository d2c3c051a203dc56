# Sourced by the scripts that need a tool this machine may lack.
# apt_install WHAT PACKAGE...: installs the Debian packages that bring WHAT, as root
# with apt-get; without either it says so and fails.
apt_install() {
  local what=$1
  shift
  if [[ $(id -u) != 0 ]] || ! command -v apt-get >/dev/null; then
    echo "$what missing, and installing it needs root and apt-get" >&2
    return 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq && apt-get install -y -qq "$@" >/dev/null
}
