# fish completion for tovu

set -l commands numbers open messages
set -l regions AE BH DE EG FR GB IN JO KW LB MA OM PK QA SA TR US

complete -c tovu -f
complete -c tovu -n "not __fish_seen_subcommand_from $commands" -a numbers -d 'List the phone numbers in a text'
complete -c tovu -n "not __fish_seen_subcommand_from $commands" -a open -d 'Open the chat of the number in a text'
complete -c tovu -n "not __fish_seen_subcommand_from $commands" -a messages -d 'List, export or import the ready-made messages'
complete -c tovu -n "not __fish_seen_subcommand_from $commands" -l show -d 'Show the panel'
complete -c tovu -n "not __fish_seen_subcommand_from $commands" -l clipboard -d 'Show the panel filled from the clipboard'
complete -c tovu -n "not __fish_seen_subcommand_from $commands" -l diagnose -d 'What tovu finds on this desktop'
complete -c tovu -n "not __fish_seen_subcommand_from $commands" -s V -l version -d 'The version'
complete -c tovu -n "__fish_contains_opt -s V version" -l verbose -d 'The notices of what tovu embeds'
complete -c tovu -s h -l help -d 'The usage'
complete -c tovu -n "__fish_seen_subcommand_from numbers open" -l region -x -a "$regions" -d 'The region of local numbers'
complete -c tovu -n "__fish_seen_subcommand_from numbers" -l json -d 'Print a JSON array'
complete -c tovu -n "__fish_seen_subcommand_from numbers" -l lines -d 'One output line for every input line'
complete -c tovu -n "__fish_seen_subcommand_from numbers" -l line-buffered -d 'Each output line at once'
complete -c tovu -n "__fish_seen_subcommand_from messages; and not __fish_seen_subcommand_from export import" -a 'export import'
complete -c tovu -n "__fish_seen_subcommand_from messages; and not __fish_seen_subcommand_from export import" -l json -d 'The stored JSON'
complete -c tovu -n "__fish_seen_subcommand_from messages; and not __fish_seen_subcommand_from export import" -l language -x -a 'en ar zh-Hans ja ko es fr de it pt-BR ru' -d 'The language of the ready-made messages'
complete -c tovu -n "__fish_seen_subcommand_from export import" -F
