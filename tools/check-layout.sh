#!/usr/bin/env bash
# House rule: only the Windows side of the seam includes <windows.h>. The
# simulated services and the test drivers are Windows programs of their own.
set -euo pipefail
cd "$(dirname "$0")/.."
bad=$(grep -rlE '#\s*include\s*[<"](windows|winsock2|ras|urlmon|shellapi|commctrl)\.h[>"]' \
        --include='*.h' --include='*.cpp' --include='*.c' . \
      | grep -vE '^\./(platform/win32|sim|tests/contract|tests/e2e|build|setform/win32)/' || true)
if [ -n "$bad" ]; then
  echo "These files include Windows headers outside platform/win32:" >&2
  echo "$bad" >&2
  exit 1
fi
