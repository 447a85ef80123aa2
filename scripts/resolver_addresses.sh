# The resolver addresses the program probes (every non-empty address of its provider table).
# shellcheck disable=SC2034
QV_RESOLVER_ADDRESSES=(
  119.29.29.29 182.254.116.116
  180.76.76.76
  223.5.5.5 223.6.6.6
  1.2.4.8 202.98.0.68
  101.226.4.6 218.30.118.6
)
